#pragma once

#include "app/SingleInstance.h"

#include <QObject>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

class QLocalServer;

namespace orvane {

// The running editor's end: a local socket that takes the files of a second
// start on the same settings file.
class InstanceServer : public QObject {
public:
    using Receiver = std::function<void(std::vector<std::filesystem::path>)>;
    InstanceServer(const std::string& socketPath, Receiver received, QObject* parent = nullptr);

private:
    QLocalServer* server_;
    Receiver received_;

    void Accept();
};

// The second start's end: one bounded try to hand message to the running editor.
Delivery DeliverTo(const std::string& socketPath, const std::string& message);

}  // namespace orvane
