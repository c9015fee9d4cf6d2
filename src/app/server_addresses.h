#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace tavrino::app {

// The remembered server addresses of the connection page's editable list:
// most recent first, no duplicates, at most ten.
class ServerAddressList {
public:
    static constexpr std::size_t kMaxEntries = 10;

    [[nodiscard]] const std::vector<std::string>& entries() const { return entries_; }
    [[nodiscard]] std::size_t size() const { return entries_.size(); }

    // An address the operator committed: an equal entry is removed, the
    // address goes to the top and entries beyond the tenth are dropped.
    void commit(const std::string& address);
    // Appends at the end (reading the settings file); ignored when full.
    void append(const std::string& address);
    void clear() { entries_.clear(); }

private:
    std::vector<std::string> entries_;
};

} // namespace tavrino::app
