#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/app/Window.h"

namespace {

using reef::app::MouseEvent;
using reef::app::Window;

TEST(EventCombiner, StopsAtTheFirstListenerThatMarksTheEventHandled) {
    Window::MouseSignal signal;
    std::vector<std::string> calls;
    signal.connect([&](MouseEvent&) { calls.push_back("first"); });
    signal.connect([&](MouseEvent& e) {
        calls.push_back("second");
        e.setHandled();
    });
    signal.connect([&](MouseEvent&) { calls.push_back("third"); });

    MouseEvent event;
    reef::app::emitEvent(signal, event);
    EXPECT_EQ(calls, (std::vector<std::string>{"first", "second"}));
    EXPECT_TRUE(event.isHandled());
}

TEST(EventCombiner, CallsEveryListenerWhenNoneHandlesTheEvent) {
    Window::MouseSignal signal;
    int calls = 0;
    for (int i = 0; i < 3; ++i) {
        signal.connect([&](MouseEvent&) { ++calls; });
    }
    MouseEvent event;
    reef::app::emitEvent(signal, event);
    EXPECT_EQ(calls, 3);
    EXPECT_FALSE(event.isHandled());
}

TEST(EventCombiner, LowerPrioritiesRunFirst) {
    Window::KeySignal signal;
    std::vector<int> order;
    signal.connect(5, [&](reef::app::KeyEvent&) { order.push_back(5); });
    signal.connect(-1, [&](reef::app::KeyEvent&) { order.push_back(-1); });
    signal.connect(2, [&](reef::app::KeyEvent&) { order.push_back(2); });
    reef::app::KeyEvent event;
    reef::app::emitEvent(signal, event);
    EXPECT_EQ(order, (std::vector<int>{-1, 2, 5}));
}

}  // namespace
