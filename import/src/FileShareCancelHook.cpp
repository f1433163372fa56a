#include "FileShareCancelHook.h"

namespace quarro {
namespace import {

FileShareCancelHook::FileShareCancelHook(CancelHook const& whole, int index, int count)
    : m_whole(whole)
    , m_index(index)
    , m_count(count > 0 ? count : 1)
    , m_hook(&FileShareCancelHook::isCancelled, &FileShareCancelHook::progress, this) {}

bool FileShareCancelHook::isCancelled(void* user) {
    return static_cast<FileShareCancelHook*>(user)->m_whole.isCancelled();
}

void FileShareCancelHook::progress(void* user, double percent) {
    auto const* share = static_cast<FileShareCancelHook*>(user);
    share->m_whole.progress((share->m_index * 100.0 + percent) / share->m_count);
}

} // namespace import
} // namespace quarro
