#pragma once

#include <algorithm>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace tavrino {

// The observers of one model: what a widget registers to hear of the changes
// of the part it shows. An observer may unsubscribe itself, or others, while
// it is being called; the ones removed meanwhile are not called any more.
template <class... Args> class Observers {
public:
    using Observer = std::function<void(Args...)>;

    int subscribe(Observer observer) {
        const int id = nextId_++;
        entries_.push_back({id, std::make_shared<Observer>(std::move(observer))});
        return id;
    }

    void unsubscribe(int id) {
        std::erase_if(entries_, [id](const Entry& e) { return e.id == id; });
    }

    void notify(Args... args) const {
        // A copy of the list keeps the loop valid when an observer changes
        // it; the check skips entries removed by an earlier observer.
        const auto entries = entries_;
        for (const Entry& e : entries)
            if (contains(e.id))
                (*e.observer)(args...);
    }

    [[nodiscard]] std::size_t size() const { return entries_.size(); }

private:
    struct Entry {
        int id;
        std::shared_ptr<Observer> observer;
    };

    [[nodiscard]] bool contains(int id) const {
        return std::any_of(entries_.begin(), entries_.end(), [id](const Entry& e) { return e.id == id; });
    }

    std::vector<Entry> entries_;
    int nextId_ = 1;
};

} // namespace tavrino

namespace tavrino {

// A part of the program's state that tells its observers what changed.
template <class Change> class Notifying {
public:
    using Observer = typename Observers<Change>::Observer;

    int subscribe(Observer observer) { return observers_.subscribe(std::move(observer)); }
    void unsubscribe(int id) { observers_.unsubscribe(id); }
    void notify(Change change) const { observers_.notify(change); }

private:
    Observers<Change> observers_;
};

} // namespace tavrino
