#pragma once

#include <stdexcept>
#include <string>

namespace ferrulith::host
{

// What the host's own API throws when a module, a file or an argument is
// unusable; the message is meant for the person running the host.
class HostError : public std::runtime_error
{
public:
    explicit HostError(const std::string& message) : std::runtime_error(message) {}
};

} // namespace ferrulith::host
