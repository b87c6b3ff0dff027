#ifndef RUNBESIDE_H
#define RUNBESIDE_H

#include <future>
#include <system_error>
#include <utility>

// Runs fn on another thread, so that the caller can work meanwhile; when no
// thread can be had, fn runs once its result is asked for.
template <class Fn>
auto runBeside(Fn fn) -> std::future<decltype(fn())>
{
    try {
        return std::async(std::launch::async, fn);
    } catch (const std::system_error&) {
        return std::async(std::launch::deferred, std::move(fn));
    }
}

#endif
