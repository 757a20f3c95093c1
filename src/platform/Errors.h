#pragma once

#include <stdexcept>
#include <string>

namespace orvane {

// The file and stream layer's failures (disk full, access denied, a file that
// vanished while open). They reach the general error report.
class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace orvane
