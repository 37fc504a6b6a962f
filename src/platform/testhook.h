#pragma once

#include <functional>
#include <utility>

// The slot through which a test sees and answers a modal box (a message, a notice, a file
// dialog, an input box, a choice) instead of a person. There is one slot per box: the box
// asks Get() and, while a test has set it, calls it rather than showing itself. The program
// never sets it. Tag tells apart two boxes whose hooks would have the same signature.
template <typename Sig, typename Tag = void>
class THook
{
public:
    using Function = std::function<Sig>;

    static void Set(Function f) { Get() = std::move(f); }
    static Function &Get()
    {
        static Function hook;
        return hook;
    }
};
