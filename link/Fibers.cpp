#include "Fibers.h"

#include "Descriptor.h"

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <exception>
#include <mutex>
#include <optional>
#include <sys/eventfd.h>
#include <sys/mman.h>
#include <system_error>
#include <thread>
#include <ucontext.h>
#include <unistd.h>
#include <utility>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KX9_FIBER_ASAN 1
#endif
#if __has_feature(thread_sanitizer)
#define KX9_FIBER_TSAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define KX9_FIBER_ASAN 1
#endif
#if defined(__SANITIZE_THREAD__)
#define KX9_FIBER_TSAN 1
#endif

// The sanitizers follow stacks that change under them only when told.
#if KX9_FIBER_ASAN
#include <sanitizer/common_interface_defs.h>
#endif
#if KX9_FIBER_TSAN
#include <sanitizer/tsan_interface.h>
#endif

#if defined(__x86_64__) && defined(__linux__) && !defined(KX9_FIBER_PORTABLE)
// Switches stacks without the signal-mask system call that swapcontext
// makes at every switch: the callee-saved registers and the floating-point
// control words are all a switch between two calls must keep.
#define KX9_FIBER_ASM 1
extern "C" void kx9_fiber_switch(void **saveStack, void *loadStack);
asm(R"(
    .text
    .globl kx9_fiber_switch
    .hidden kx9_fiber_switch
    .type kx9_fiber_switch, @function
    .p2align 4
kx9_fiber_switch:
    pushq %rbp
    pushq %rbx
    pushq %r12
    pushq %r13
    pushq %r14
    pushq %r15
    subq $8, %rsp
    stmxcsr (%rsp)
    fnstcw 4(%rsp)
    movq %rsp, (%rdi)
    movq %rsi, %rsp
    ldmxcsr (%rsp)
    fldcw 4(%rsp)
    addq $8, %rsp
    popq %r15
    popq %r14
    popq %r13
    popq %r12
    popq %rbx
    popq %rbp
    ret
    .size kx9_fiber_switch, .-kx9_fiber_switch
)");
#endif

namespace kx9 {

namespace {

// Deep enough for a transfer with its backup and file work, sanitizers
// included; untouched pages cost nothing.
constexpr std::size_t kStackSize = std::size_t{1} << 20;

std::size_t pageSize()
{
    const long size = ::sysconf(_SC_PAGESIZE);
    return size > 0 ? static_cast<std::size_t>(size) : 4096;
}

thread_local FiberRunner *t_runner = nullptr;

// Where a suspended stack goes on.
struct Context
{
#if KX9_FIBER_ASM
    void *stack = nullptr;
#else
    ucontext_t context{};
#endif
};

// Makes a context that starts entry on the given stack; false when the
// system would not.
bool prepare(Context &context, void *base, std::size_t size, void (*entry)())
{
#if KX9_FIBER_ASM
    // The frame kx9_fiber_switch pops: control words, six registers, and
    // entry as the return address, aligned as a call would leave it.
    auto top = (reinterpret_cast<std::uintptr_t>(base) + size) & ~std::uintptr_t{15};
    auto *slot = reinterpret_cast<std::uint64_t *>(top);
    std::uint32_t mxcsr = 0;
    std::uint16_t control = 0;
    asm volatile("stmxcsr %0" : "=m"(mxcsr));
    asm volatile("fnstcw %0" : "=m"(control));
    slot[-1] = 0;
    slot[-2] = reinterpret_cast<std::uint64_t>(entry);
    for (int i = 3; i <= 8; ++i)
        slot[-i] = 0;
    slot[-9] = std::uint64_t{mxcsr} | std::uint64_t{control} << 32;
    context.stack = &slot[-9];
    return true;
#else
    if (::getcontext(&context.context) != 0)
        return false;
    context.context.uc_stack.ss_sp = base;
    context.context.uc_stack.ss_size = size;
    context.context.uc_link = nullptr;
    ::makecontext(&context.context, entry, 0);
    return true;
#endif
}

void switchContext(Context &from, Context &to)
{
#if KX9_FIBER_ASM
    kx9_fiber_switch(&from.stack, to.stack);
#else
    ::swapcontext(&from.context, &to.context);
#endif
}

} // namespace

// A thread of its own for work that blocks, so that one fiber's slow disk or
// line never holds the others; it tells the fiber through an eventfd.
struct FiberRunner::Helper
{
    std::thread thread;
    std::mutex mutex;
    std::condition_variable wake;
    const std::function<void()> *work = nullptr; // guarded by mutex
    std::exception_ptr failure;                  // guarded by mutex
    bool quit = false;                           // guarded by mutex
    Descriptor done{::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)};

    void loop()
    {
        std::unique_lock lock(mutex);
        for (;;) {
            wake.wait(lock, [this] { return quit || work != nullptr; });
            if (work == nullptr)
                return;
            lock.unlock();
            std::exception_ptr caught;
            try {
                (*work)();
            } catch (...) {
                caught = std::current_exception();
            }
            lock.lock();
            failure = caught;
            work = nullptr;
            const std::uint64_t one = 1;
            [[maybe_unused]] const ssize_t n = ::write(done.get(), &one, sizeof one);
        }
    }

    ~Helper()
    {
        if (!thread.joinable())
            return;
        {
            std::lock_guard lock(mutex);
            quit = true;
        }
        wake.notify_one();
        thread.join();
    }
};

struct FiberRunner::Fiber
{
    std::function<void()> body;
    Context context;
    void *stack = nullptr; // the mapping, guard page first
    void *stackBase = nullptr;
    std::size_t mapped = 0;
    bool finished = false;
    // The wait in progress: descriptors, or none for a sleep, and its end.
    pollfd *fds = nullptr;
    nfds_t count = 0;
    std::optional<Clock::time_point> deadline;
    bool waiting = false;
    int ready = 0;
    std::unique_ptr<Helper> helper;
#if KX9_FIBER_ASAN
    void *fakeStack = nullptr;
#endif
#if KX9_FIBER_TSAN
    void *tsanFiber = nullptr;
#endif

    ~Fiber()
    {
        if (stack != nullptr)
            ::munmap(stack, mapped);
#if KX9_FIBER_TSAN
        if (tsanFiber != nullptr)
            __tsan_destroy_fiber(tsanFiber);
#endif
    }
};

struct FiberRunner::Home
{
    Context context;
#if KX9_FIBER_ASAN
    void *fakeStack = nullptr;
    const void *stackBottom = nullptr;
    std::size_t stackSize = 0;
#endif
#if KX9_FIBER_TSAN
    void *tsanFiber = nullptr;
#endif
};

FiberRunner::FiberRunner(std::chrono::microseconds grace)
    : m_grace(grace), m_home(std::make_unique<Home>())
{
}

FiberRunner::~FiberRunner() = default;

bool FiberRunner::add(std::function<void()> body)
{
    auto fiber = std::make_unique<Fiber>();
    fiber->body = std::move(body);
    // One page below the stack stays unmapped, so an overflow faults
    // instead of writing over another fiber's stack.
    const std::size_t guard = pageSize();
    fiber->mapped = kStackSize + guard;
    void *memory = ::mmap(nullptr, fiber->mapped, PROT_READ | PROT_WRITE,
                          MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE | MAP_STACK, -1, 0);
    if (memory == MAP_FAILED)
        return false;
    fiber->stack = memory;
    fiber->stackBase = static_cast<char *>(memory) + guard;
    if (::mprotect(memory, guard, PROT_NONE) != 0 ||
        !prepare(fiber->context, fiber->stackBase, kStackSize, &FiberRunner::entry))
        return false;
#if KX9_FIBER_TSAN
    fiber->tsanFiber = __tsan_create_fiber(0);
#endif
    m_fibers.push_back(std::move(fiber));
    return true;
}

void FiberRunner::entry()
{
    FiberRunner &runner = *t_runner;
    Fiber &fiber = *runner.m_current;
#if KX9_FIBER_ASAN
    __sanitizer_finish_switch_fiber(nullptr, &runner.m_home->stackBottom,
                                    &runner.m_home->stackSize);
#endif
    fiber.body();
    fiber.finished = true;
    fiber.body = nullptr;
    // Never resumed: its fake stack can go.
#if KX9_FIBER_ASAN
    __sanitizer_start_switch_fiber(nullptr, runner.m_home->stackBottom, runner.m_home->stackSize);
#endif
#if KX9_FIBER_TSAN
    __tsan_switch_to_fiber(runner.m_home->tsanFiber, 0);
#endif
    switchContext(fiber.context, runner.m_home->context);
    std::abort(); // a finished fiber is never resumed
}

void FiberRunner::resume(Fiber &fiber)
{
    m_current = &fiber;
    fiber.waiting = false;
#if KX9_FIBER_ASAN
    __sanitizer_start_switch_fiber(&m_home->fakeStack, fiber.stackBase, kStackSize);
#endif
#if KX9_FIBER_TSAN
    __tsan_switch_to_fiber(fiber.tsanFiber, 0);
#endif
    switchContext(m_home->context, fiber.context);
#if KX9_FIBER_ASAN
    __sanitizer_finish_switch_fiber(m_home->fakeStack, nullptr, nullptr);
#endif
    m_current = nullptr;
}

void FiberRunner::suspend(Fiber &fiber)
{
    fiber.waiting = true;
#if KX9_FIBER_ASAN
    __sanitizer_start_switch_fiber(&fiber.fakeStack, m_home->stackBottom, m_home->stackSize);
#endif
#if KX9_FIBER_TSAN
    __tsan_switch_to_fiber(m_home->tsanFiber, 0);
#endif
    switchContext(fiber.context, m_home->context);
#if KX9_FIBER_ASAN
    __sanitizer_finish_switch_fiber(fiber.fakeStack, nullptr, nullptr);
#endif
}

void FiberRunner::run()
{
    FiberRunner *const outer = t_runner;
    Waiter *const outerWaiter = threadWaiter();
    t_runner = this;
    setThreadWaiter(this);
#if KX9_FIBER_TSAN
    m_home->tsanFiber = __tsan_get_current_fiber();
#endif
    for (;;) {
        bool live = false;
        for (auto &fiber : m_fibers) {
            if (fiber->finished)
                continue;
            if (!fiber->waiting)
                resume(*fiber);
            live = live || !fiber->finished;
        }
        if (!live)
            break;
        waitForAny();
    }
    setThreadWaiter(outerWaiter);
    t_runner = outer;
}

void FiberRunner::waitForAny()
{
    // Each descriptor once, however many fibers wait on it (the cancel
    // token, for one); slots[i] is where the i-th waited descriptor went.
    std::vector<pollfd> all;
    std::vector<std::size_t> slots;
    std::optional<Clock::time_point> earliest;
    for (const auto &fiber : m_fibers) {
        if (!fiber->waiting)
            continue;
        for (nfds_t i = 0; i < fiber->count; ++i) {
            const pollfd &wanted = fiber->fds[i];
            std::size_t at = 0;
            while (at < all.size() && all[at].fd != wanted.fd)
                ++at;
            if (at == all.size())
                all.push_back({wanted.fd, 0, 0});
            all[at].events = static_cast<short>(all[at].events | wanted.events);
            slots.push_back(at);
        }
        if (fiber->deadline && (!earliest || *fiber->deadline < *earliest))
            earliest = fiber->deadline;
    }
    // Waits that end just after the earliest end with it: one wake-up for
    // many conversations paced alike, which also keeps them in step, so
    // that their replies come close together too.
    std::optional<Clock::time_point> until = earliest;
    for (const auto &fiber : m_fibers)
        if (fiber->waiting && fiber->deadline && *fiber->deadline <= *earliest + m_grace)
            until = std::max(*until, *fiber->deadline);
    const auto timeoutUntil = [](std::optional<Clock::time_point> end, timespec &timeout) {
        if (!end)
            return static_cast<timespec *>(nullptr);
        const auto left = std::max(Clock::duration::zero(), *end - Clock::now());
        const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(left).count();
        timeout.tv_sec = static_cast<time_t>(ns / 1'000'000'000);
        timeout.tv_nsec = static_cast<long>(ns % 1'000'000'000);
        return &timeout;
    };
    timespec timeout{};
    if (::ppoll(all.data(), all.size(), timeoutUntil(until, timeout), nullptr) < 0)
        for (pollfd &p : all)
            p.revents = 0; // nothing ready; the deadlines decide
    const Clock::time_point now = Clock::now();

    std::size_t next = 0;
    for (auto &fiber : m_fibers) {
        if (!fiber->waiting)
            continue;
        int ready = 0;
        for (nfds_t i = 0; i < fiber->count; ++i) {
            pollfd &wanted = fiber->fds[i];
            const short seen = all[slots[next++]].revents;
            // Errors and hang-ups are told whether asked for or not, as poll does.
            wanted.revents =
                static_cast<short>(seen & (wanted.events | POLLERR | POLLHUP | POLLNVAL));
            ready += wanted.revents != 0 ? 1 : 0;
        }
        if (ready > 0 || (fiber->deadline && *fiber->deadline <= now)) {
            fiber->ready = ready;
            fiber->waiting = false;
        }
    }
}

int FiberRunner::poll(pollfd *fds, nfds_t count, int timeoutMs)
{
    Fiber *fiber = m_current;
    if (fiber == nullptr || timeoutMs == 0)
        return ::poll(fds, count, timeoutMs);
    for (nfds_t i = 0; i < count; ++i)
        fds[i].revents = 0;
    fiber->fds = fds;
    fiber->count = count;
    fiber->deadline = std::nullopt;
    if (timeoutMs > 0)
        fiber->deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    suspend(*fiber);
    fiber->count = 0;
    return fiber->ready;
}

void FiberRunner::sleep(std::chrono::microseconds duration)
{
    Fiber *fiber = m_current;
    if (fiber == nullptr) {
        std::this_thread::sleep_for(duration);
        return;
    }
    fiber->fds = nullptr;
    fiber->count = 0;
    fiber->deadline = Clock::now() + duration;
    suspend(*fiber);
}

void FiberRunner::runBlocking(const std::function<void()> &work)
{
    Fiber *fiber = m_current;
    if (fiber == nullptr) {
        work();
        return;
    }
    if (!fiber->helper) {
        auto helper = std::make_unique<Helper>();
        if (!helper->done.valid())
            return work(); // no eventfd: block this thread rather than fail the work
        try {
            helper->thread = std::thread([h = helper.get()] { h->loop(); });
        } catch (const std::system_error &) {
            return work();
        }
        fiber->helper = std::move(helper);
    }
    Helper &helper = *fiber->helper;
    {
        std::lock_guard lock(helper.mutex);
        helper.work = &work;
    }
    helper.wake.notify_one();
    pollfd done{helper.done.get(), POLLIN, 0};
    std::uint64_t count = 0;
    while (::read(helper.done.get(), &count, sizeof count) < 0)
        poll(&done, 1, -1);
    std::exception_ptr failure;
    {
        std::lock_guard lock(helper.mutex);
        failure = std::exchange(helper.failure, nullptr);
    }
    if (failure)
        std::rethrow_exception(failure);
}

} // namespace kx9
