#pragma once

// Runs a coroutine to its end in a local event loop and hands back either
// its value or the exception it threw (QCoro::waitFor would never return for
// a task that throws).

#include <QCoro/QCoroTask>
#include <QEventLoop>
#include <exception>
#include <optional>
#include <utility>

namespace studio::test {

template <class T>
struct TaskOutcome {
    std::optional<T> value;
    std::exception_ptr error;
};

template <class T>
TaskOutcome<T> awaitTask(QCoro::Task<T> task)
{
    TaskOutcome<T> outcome;
    QEventLoop loop;
    bool done = false;
    auto run = [&]() -> QCoro::Task<> {
        try {
            outcome.value = co_await std::move(task);
        } catch (...) {
            outcome.error = std::current_exception();
        }
        done = true;
        loop.quit();
    };
    auto runner = run();
    if (!done)
        loop.exec();
    return outcome;
}

} // namespace studio::test
