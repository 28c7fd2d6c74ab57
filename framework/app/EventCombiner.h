#pragma once
// How an event signal calls its listeners: in order, stopping after the first
// one that marks the event handled.

namespace reef::app {

template <typename EventT>
class EventCombiner {
public:
    using result_type = void;

    explicit EventCombiner(EventT* event = nullptr) : event_(event) {}

    template <typename SlotIterator>
    void operator()(SlotIterator first, SlotIterator last) const {
        for (; first != last; ++first) {
            *first;  // dereferencing calls the listener
            if (event_ && event_->isHandled()) {
                return;
            }
        }
    }

private:
    EventT* event_;
};

}  // namespace reef::app
