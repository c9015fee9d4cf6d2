#include "app/server_addresses.h"

#include <algorithm>

namespace tavrino::app {

void ServerAddressList::commit(const std::string& address) {
    std::erase(entries_, address);
    entries_.insert(entries_.begin(), address);
    if (entries_.size() > kMaxEntries)
        entries_.resize(kMaxEntries);
}

void ServerAddressList::append(const std::string& address) {
    if (entries_.size() < kMaxEntries)
        entries_.push_back(address);
}

} // namespace tavrino::app
