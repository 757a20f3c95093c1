#pragma once

#include <QApplication>
#include <QDir>
#include <QWidget>

#include <cstdio>

// Shows a window, saves its picture as folder/name.png and says so.
inline bool SaveGrab(QWidget& window, const QString& folder, const QString& name) {
    window.show();
    QApplication::processEvents();
    const QString path = QDir(folder).filePath(name + ".png");
    const bool saved = window.grab().save(path);
    std::printf("%s %s\n", saved ? "wrote" : "FAILED", qPrintable(path));
    return saved;
}
