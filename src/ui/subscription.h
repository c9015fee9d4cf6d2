#pragma once

#include <utility>

namespace tavrino::ui {

// An observer registration on one of the session's models (anything with
// subscribe/unsubscribe), removed when the widget that holds it goes away.
template <class Model> class Subscription {
public:
    template <class Observer>
    Subscription(Model& model, Observer&& observer)
        : model_(model), id_(model.subscribe(std::forward<Observer>(observer))) {}
    ~Subscription() { model_.unsubscribe(id_); }
    Subscription(const Subscription&) = delete;
    Subscription& operator=(const Subscription&) = delete;

private:
    Model& model_;
    int id_;
};

} // namespace tavrino::ui
