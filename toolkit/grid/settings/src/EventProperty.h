#pragma once
// The setter of a published event that is a plain public member: reflection
// writes the handler straight into the member.

#include <utility>

template <class C, class E>
auto EventSetter(E C::*Member) {
    return [Member](C& Object, E Handler) { Object.*Member = std::move(Handler); };
}
