#ifndef IMPORTWIDGETS_CANCELHOOK_H
#define IMPORTWIDGETS_CANCELHOOK_H

// How long-running reading code asks whether the user cancelled and reports how far it got,
// without knowing who shows the progress. The owner hands in two plain functions and a pointer
// that they receive back; a default-made hook is never cancelled and reports nowhere.
//
// A value type of three pointers with inline calls: reading loops query it per record.
class CancelHook {
public:
    using IsCancelledFunction = bool (*)(void* user);
    using ProgressFunction = void (*)(void* user, double percent);

    constexpr CancelHook() noexcept = default;
    constexpr CancelHook(IsCancelledFunction is_cancelled, ProgressFunction progress,
                         void* user) noexcept
        : m_is_cancelled(is_cancelled)
        , m_progress(progress)
        , m_user(user) {}

    bool isCancelled() const { return m_is_cancelled != nullptr && m_is_cancelled(m_user); }

    void progress(double percent) const {
        if (m_progress != nullptr) {
            m_progress(m_user, percent);
        }
    }

    void* user() const noexcept { return m_user; }

private:
    IsCancelledFunction m_is_cancelled = nullptr;
    ProgressFunction m_progress = nullptr;
    void* m_user = nullptr;
};

#endif // IMPORTWIDGETS_CANCELHOOK_H
