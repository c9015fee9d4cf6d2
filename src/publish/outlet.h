#pragma once

// Where the publishing flow sends its messages. The MQTT adapter
// (mosquitto_outlet.h) is the one the command-line tool uses; it never makes
// its caller wait for the network.

#include <string>

namespace tavrino::publish {

class Outlet {
public:
    virtual ~Outlet() = default;
    // The newest state of a retained topic (status, identity, parameters).
    virtual void setRetained(const std::string& topic, std::string payload) = 0;
    // One measurement at the run's quality of service.
    virtual void publish(const std::string& topic, std::string payload) = 0;
};

} // namespace tavrino::publish
