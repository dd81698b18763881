// SPDX-License-Identifier: GPL-3.0-or-later
// The file services of os_file.h in memory, for the fuzz targets and the test of this seam:
// a map of paths to files, folders and links with the modes, positions and locks the calls
// need, behaving as os_file_posix.cpp does for a user who is not root, without a disk. What is
// built on these calls (the replacement, the copy) stays os_file_common.cpp's.
#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <vector>

#include "platform/os_file.h"
#include "platform/os_file_faults.h"
#include "platform/os_file_memory.h"

namespace {

// What a name stands for: the hard links of a file share one.
struct Content {
    std::string bytes;
    unsigned mode = 0;
    std::intptr_t lockHolder = -1;  // the handle holding the lock, -1 for none
    std::int64_t changedNs = 0;     // see MemoryFiles::clockNs
    std::uint64_t number = 0;       // the file's own number, new for each file made
};

struct Node {
    enum class Kind { File, Folder, Link };
    Kind kind = Kind::File;
    std::shared_ptr<Content> content;  // files and folders
    std::u16string target;             // links, as written
};

struct OpenFile {
    std::intptr_t handle = -1;
    std::shared_ptr<Content> content;
    std::size_t position = 0;
    bool canRead = false;
    bool canWrite = false;
};

// New files and folders get the modes the system's calls give them under a umask of 022.
constexpr unsigned NewFileMode = 0644;
constexpr unsigned NewFolderMode = 0755;
constexpr unsigned OwnerRead = 0400;
constexpr unsigned OwnerWrite = 0200;
constexpr unsigned AnyWrite = 0222;
// As on the system: a chain of links this long is a loop.
constexpr int MostLinks = 40;

// Paths in the order of their bytes: any order keeps the paths inside a folder together
// behind the folder's own, and this one costs one library compare, not a loop of units.
// Views are compared as they are, so that looking a path up makes no copy of it.
struct PathOrder {
    using is_transparent = void;
    bool operator()(std::u16string_view left, std::u16string_view right) const {
        const int order = std::memcmp(left.data(), right.data(),
                                      std::min(left.size(), right.size()) * sizeof(char16_t));
        return order != 0 ? order < 0 : left.size() < right.size();
    }
};

struct MemoryFiles {
    // By normal path: parts joined by single "/", no "." or "..", "/" in front when absolute.
    // The two roots, "" (the current folder) and "/", are folders that are always there.
    std::map<std::u16string, Node, PathOrder> nodes;
    // Few files are open at once: a short list, searched in order, whose room outlives them.
    std::vector<OpenFile> open;
    std::intptr_t nextHandle = 3;
    bool linksMade = false;  // since the reset: until then a normal path names itself
    // The latest time a file got; each change moves it on by a nanosecond, so that no two
    // versions of a file look alike. It is 0 after a reset: until a time is set, a file's
    // time lies within the first second of 1970, which these files take for no time kept.
    std::int64_t clockNs = 0;
    std::uint64_t nextNumber = 1;
};

MemoryFiles& Files() {
    static MemoryFiles files;
    return files;
}

// A normal path as Resolve gives it: a view of the path asked for when that is already
// normal, or of `walked`, the path built part by part. Used where it was made, never copied.
struct NormalPath {
    std::u16string walked;
    std::u16string_view path;
};

bool IsRoot(std::u16string_view path) {
    return path.empty() || path == u"/";
}

std::u16string_view ParentOf(std::u16string_view path) {
    const std::size_t slash = path.rfind(u'/');
    if (slash == std::u16string_view::npos) return {};
    return path.substr(0, slash == 0 ? 1 : slash);
}

void AppendPart(std::u16string& path, std::u16string_view part) {
    if (!path.empty() && path != u"/") path += u'/';
    path += part;
}

// The prefix every path inside this folder starts with.
std::u16string InsidePrefix(std::u16string_view folder) {
    std::u16string prefix(folder);
    if (!IsRoot(folder)) prefix += u'/';
    return prefix;
}

// Puts the parts of `path` on `pending` so that the first one comes off first; "" and "."
// parts name nothing.
void PushParts(std::u16string_view path, std::vector<std::u16string>& pending) {
    std::vector<std::u16string> parts;
    std::size_t at = 0;
    while (at <= path.size()) {
        std::size_t end = path.find(u'/', at);
        if (end == std::u16string_view::npos) end = path.size();
        const std::u16string_view part = path.substr(at, end - at);
        if (!part.empty() && part != u".") parts.emplace_back(part);
        at = end + 1;
    }
    pending.insert(pending.end(), parts.rbegin(), parts.rend());
}

Node* Find(std::u16string_view normal) {
    auto found = Files().nodes.find(normal);
    return found == Files().nodes.end() ? nullptr : &found->second;
}

// A path without "." or ".." parts, empty parts or a "/" at the end is its own normal form.
bool IsNormal(std::u16string_view path) {
    if (path.empty()) return false;
    const char16_t* unit = path.data();
    const char16_t* const end = unit + path.size();
    if (*unit == u'/') ++unit;
    for (;;) {
        const char16_t* part = unit;
        while (unit != end && *unit != u'/') ++unit;
        const std::ptrdiff_t length = unit - part;
        if (length == 0 || (part[0] == u'.' && (length == 1 || (length == 2 && part[1] == u'.'))))
            return false;
        if (unit == end) return true;
        ++unit;
    }
}

// The normal path `path` names, walked part by part as the system walks it: every link among
// its folders, and the last part too when `followLast`, is replaced by what it names. False
// for a chain of links past MostLinks.
bool Resolve(std::u16string_view path, bool followLast, NormalPath& normal) {
    // Without links a normal path names itself: the paths the program uses, taken as they are.
    if (!Files().linksMade && IsNormal(path)) {
        normal.path = path;
        return true;
    }
    std::u16string& walked = normal.walked;
    std::vector<std::u16string> pending;
    PushParts(path, pending);
    walked = !path.empty() && path.front() == u'/' ? u"/" : u"";
    int links = 0;
    while (!pending.empty()) {
        const std::u16string part = std::move(pending.back());
        pending.pop_back();
        if (part == u"..") {
            walked.resize(ParentOf(walked).size());
            continue;
        }
        const std::size_t folderLength = walked.size();
        AppendPart(walked, part);
        if (pending.empty() && !followLast) break;
        const Node* node = Find(walked);
        if (node == nullptr || node->kind != Node::Kind::Link) continue;
        if (++links > MostLinks) return false;
        walked.resize(folderLength);
        if (!node->target.empty() && node->target.front() == u'/') walked = u"/";
        PushParts(node->target, pending);
    }
    normal.path = walked;
    return true;
}

bool IsFolder(std::u16string_view normal) {
    if (IsRoot(normal)) return true;
    const Node* node = Find(normal);
    return node != nullptr && node->kind == Node::Kind::Folder;
}

// Names may be added to, removed from and renamed in a folder the user may write.
bool MayChangeFolder(std::u16string_view normal) {
    if (IsRoot(normal)) return true;
    const Node* node = Find(normal);
    return node != nullptr && node->kind == Node::Kind::Folder &&
           (node->content->mode & OwnerWrite) != 0;
}

constexpr std::int64_t NsPerSecond = 1'000'000'000;

void Stamp(Content& content) {
    std::int64_t& clock = Files().clockNs;
    clock = std::max(clock, content.changedNs) + 1;
    content.changedNs = clock;
}

std::shared_ptr<Content> NewContent(unsigned mode) {
    auto content = std::make_shared<Content>();
    content->mode = mode;
    content->number = Files().nextNumber++;
    Stamp(*content);
    return content;
}

OpenFile* OpenOf(const OsFile& file) {
    for (OpenFile& open : Files().open)
        if (open.handle == file.handle) return &open;
    return nullptr;
}

void Forget(OpenFile& open) {
    std::vector<OpenFile>& list = Files().open;
    if (&open != &list.back()) open = std::move(list.back());
    list.pop_back();
}

enum class Creation { None, IfMissing, Exclusive };

// The one open of every call: an exclusive create never follows a link at the path and never
// opens what is there; a folder never opens as a file.
bool Open(const std::u16string& path, bool read, bool write, Creation creation, bool truncate,
          OsFile& file) {
    file.handle = -1;
    file.changed = false;
    NormalPath at;
    if (path.empty() || !Resolve(path, creation != Creation::Exclusive, at) || IsRoot(at.path))
        return false;
    MemoryFiles& files = Files();
    std::shared_ptr<Content> content;
    if (Node* node = Find(at.path)) {
        if (creation == Creation::Exclusive || node->kind != Node::Kind::File) return false;
        const unsigned mode = node->content->mode;
        if ((read && (mode & OwnerRead) == 0) || (write && (mode & OwnerWrite) == 0)) return false;
        content = node->content;
    } else {
        if (creation == Creation::None || !MayChangeFolder(ParentOf(at.path))) return false;
        content = NewContent(NewFileMode);
        files.nodes.emplace(std::u16string(at.path), Node{Node::Kind::File, content, {}});
    }
    if (truncate && !content->bytes.empty()) {
        content->bytes.clear();
        Stamp(*content);
    }
    file.handle = files.nextHandle++;
    files.open.push_back(OpenFile{file.handle, std::move(content), 0, read, write});
    return true;
}

// Renaming a folder takes everything inside it along.
void MoveInside(std::u16string_view from, std::u16string_view to) {
    MemoryFiles& files = Files();
    const std::u16string fromPrefix = InsidePrefix(from);
    const std::u16string toPrefix = InsidePrefix(to);
    std::vector<std::pair<std::u16string, Node>> moved;
    for (auto it = files.nodes.lower_bound(fromPrefix);
         it != files.nodes.end() && it->first.starts_with(fromPrefix);) {
        moved.emplace_back(toPrefix + it->first.substr(fromPrefix.size()), std::move(it->second));
        it = files.nodes.erase(it);
    }
    for (auto& [path, node] : moved) files.nodes.insert_or_assign(path, std::move(node));
}

bool HasInside(std::u16string_view folder) {
    const std::u16string prefix = InsidePrefix(folder);
    auto it = Files().nodes.lower_bound(prefix);
    return it != Files().nodes.end() && it->first.starts_with(prefix);
}

}  // namespace

void ResetMemoryFiles() {
    // The starting values stand once, in the record.
    Files() = MemoryFiles{};
}

bool PutMemoryFile(const std::u16string& path, std::string_view bytes) {
    NormalPath at;
    if (!Resolve(path, true, at) || IsRoot(at.path)) return false;
    if (Node* node = Find(at.path)) {
        if (node->kind != Node::Kind::File) return false;
        node->content->bytes.assign(bytes);
        Stamp(*node->content);
        return true;
    }
    if (!IsFolder(ParentOf(at.path))) return false;
    auto content = NewContent(NewFileMode);
    content->bytes.assign(bytes);
    Files().nodes.emplace(std::u16string(at.path), Node{Node::Kind::File, content, {}});
    return true;
}

bool MemoryFileBytes(const std::u16string& path, std::string& bytes) {
    NormalPath at;
    if (!Resolve(path, true, at)) return false;
    const Node* node = Find(at.path);
    if (node == nullptr || node->kind != Node::Kind::File) return false;
    bytes = node->content->bytes;
    return true;
}

bool PutMemoryLink(const std::u16string& path, const std::u16string& target) {
    NormalPath at;
    if (!Resolve(path, false, at) || IsRoot(at.path) || Find(at.path) ||
        !IsFolder(ParentOf(at.path)))
        return false;
    Files().nodes.emplace(std::u16string(at.path), Node{Node::Kind::Link, nullptr, target});
    Files().linksMade = true;
    return true;
}

bool SetMemoryFileTime(const std::u16string& path, std::int64_t secondsSinceEpoch) {
    NormalPath at;
    if (!Resolve(path, true, at)) return false;
    Node* node = Find(at.path);
    if (node == nullptr || node->kind == Node::Kind::Link) return false;
    node->content->changedNs = secondsSinceEpoch * NsPerSecond;
    Files().clockNs = std::max(Files().clockNs, node->content->changedNs);
    return true;
}

bool SetMemoryFileMode(const std::u16string& path, unsigned mode) {
    NormalPath at;
    if (!Resolve(path, true, at)) return false;
    Node* node = Find(at.path);
    if (node == nullptr || node->kind == Node::Kind::Link) return false;
    node->content->mode = mode & 07777;
    return true;
}

std::size_t OpenMemoryFiles() {
    return Files().open.size();
}

std::int64_t OsFileSize(const std::u16string& path) {
    NormalPath at;
    if (path.empty() || !Resolve(path, true, at)) return -1;
    if (IsRoot(at.path)) return -2;
    const Node* node = Find(at.path);
    if (node == nullptr || node->kind == Node::Kind::Link) return -1;
    if (node->kind == Node::Kind::Folder) return -2;
    return static_cast<std::int64_t>(node->content->bytes.size());
}

bool OsModificationTime(const std::u16string& path, std::int64_t& secondsSinceEpoch) {
    NormalPath at;
    if (path.empty() || !Resolve(path, true, at)) return false;
    const Node* node = Find(at.path);
    if (node == nullptr || node->kind == Node::Kind::Link) return false;
    const std::int64_t changedNs = node->content->changedNs;
    if (changedNs >= 0 && changedNs < NsPerSecond) return false;
    // Rounded down, as the system's whole seconds are, for times before 1970 too.
    secondsSinceEpoch = changedNs / NsPerSecond - (changedNs % NsPerSecond < 0 ? 1 : 0);
    return true;
}

namespace {

OsFileIdentity IdentityOfContent(const Content& content) {
    OsFileIdentity identity;
    identity.exists = true;
    identity.size = std::int64_t(content.bytes.size());
    identity.changedNs = content.changedNs;
    identity.volume = 1;
    identity.number = content.number;
    return identity;
}

}  // namespace

OsFileIdentity OsIdentityOf(const std::u16string& path) {
    NormalPath at;
    if (path.empty() || !Resolve(path, true, at)) return {};
    const Node* node = Find(at.path);
    if (node == nullptr || node->kind != Node::Kind::File) return {};
    return IdentityOfContent(*node->content);
}

OsFileIdentity OsIdentityOfOpen(const OsFile& file) {
    const OpenFile* open = OpenOf(file);
    return open == nullptr ? OsFileIdentity{} : IdentityOfContent(*open->content);
}

bool OsMoveFileNoReplace(const std::u16string& from, const std::u16string& to) {
    NormalPath target;
    if (from.empty() || to.empty() || !Resolve(to, false, target) || IsRoot(target.path) ||
        Find(target.path) != nullptr)
        return false;
    return OsReplaceFile(from, to);
}

bool OsOpenRead(const std::u16string& path, OsFile& file) {
    return Open(path, true, false, Creation::None, false, file);
}

bool OsOpenReadWrite(const std::u16string& path, OsFile& file) {
    return Open(path, true, true, Creation::None, false, file);
}

bool OsCreateNew(const std::u16string& path, OsFile& file) {
    file.handle = -1;
    if (TakeFileFault(FileFault::Create)) return false;
    if (!Open(path, true, true, Creation::Exclusive, false, file)) return false;
    file.changed = true;
    return true;
}

bool OsCreateWrite(const std::u16string& path, OsFile& file) {
    file.handle = -1;
    if (TakeFileFault(FileFault::Create)) return false;
    if (!Open(path, true, true, Creation::IfMissing, true, file) &&
        !Open(path, false, true, Creation::None, true, file))
        return false;
    file.changed = true;
    return true;
}

std::intptr_t OsRead(OsFile& file, void* buffer, std::size_t size) {
    OpenFile* open = OpenOf(file);
    if (open == nullptr || !open->canRead) return -1;
    const std::string& bytes = open->content->bytes;
    if (open->position >= bytes.size()) return 0;
    const std::size_t got = std::min(size, bytes.size() - open->position);
    std::memcpy(buffer, bytes.data() + open->position, got);
    open->position += got;
    return static_cast<std::intptr_t>(got);
}

bool OsWrite(OsFile& file, const void* data, std::size_t size) {
    OpenFile* open = OpenOf(file);
    if (open == nullptr || !open->canWrite) return false;
    file.changed = true;
    bool fail = false;
    const std::size_t allowed = BytesAllowedBeforeWriteFault(size, fail);
    std::string& bytes = open->content->bytes;
    if (bytes.size() < open->position + allowed) bytes.resize(open->position + allowed);
    if (allowed > 0) std::memcpy(bytes.data() + open->position, data, allowed);
    Stamp(*open->content);
    open->position += allowed;
    CountWrittenBytes(allowed, fail);
    return !fail;
}

bool OsClose(OsFile& file) {
    if (file.handle < 0) return false;
    OpenFile* found = OpenOf(file);
    bool ok = found != nullptr;
    // The lock goes with the handle that took it, as the system's does.
    if (ok && found->content->lockHolder == file.handle) found->content->lockHolder = -1;
    if (ok) Forget(*found);
    file.changed = false;
    file.handle = -1;
    if (TakeFileFault(FileFault::Close)) ok = false;
    return ok;
}

bool OsReplaceFile(const std::u16string& from, const std::u16string& to) {
    if (TakeFileFault(FileFault::Replace)) return false;
    NormalPath source;
    NormalPath target;
    if (from.empty() || to.empty() || !Resolve(from, false, source) ||
        !Resolve(to, false, target) || IsRoot(source.path) || IsRoot(target.path))
        return false;
    Node* moving = Find(source.path);
    if (moving == nullptr || !MayChangeFolder(ParentOf(source.path)) ||
        !MayChangeFolder(ParentOf(target.path)))
        return false;
    if (source.path == target.path) return true;
    const bool folder = moving->kind == Node::Kind::Folder;
    if (const Node* there = Find(target.path)) {
        // Only an empty folder gives way, and only to a folder; a file never replaces one.
        const bool thereFolder = there->kind == Node::Kind::Folder;
        if (folder != thereFolder || (thereFolder && HasInside(target.path))) return false;
    }
    if (folder && target.path.starts_with(InsidePrefix(source.path))) return false;
    Node node = std::move(*moving);
    Files().nodes.erase(Files().nodes.find(source.path));
    // A file taking another's place takes its entry too, the path kept as it is.
    if (Node* replaced = Find(target.path))
        *replaced = std::move(node);
    else
        Files().nodes.emplace(std::u16string(target.path), std::move(node));
    if (folder) MoveInside(source.path, target.path);
    return true;
}

bool OsRemoveFile(const std::u16string& path) {
    NormalPath at;
    if (path.empty() || !Resolve(path, false, at) || IsRoot(at.path)) return false;
    const Node* node = Find(at.path);
    if (node == nullptr || node->kind == Node::Kind::Folder || !MayChangeFolder(ParentOf(at.path)))
        return false;
    Files().nodes.erase(Files().nodes.find(at.path));
    return true;
}

bool OsIsReadOnly(const std::u16string& path) {
    NormalPath at;
    if (path.empty() || !Resolve(path, true, at) || IsRoot(at.path)) return false;
    const Node* node = Find(at.path);
    return node != nullptr && node->kind != Node::Kind::Link &&
           (node->content->mode & AnyWrite) == 0;
}

std::u16string OsLinkTarget(const std::u16string& path) {
    std::u16string current = path;
    for (int depth = 0; depth < MostLinks; ++depth) {
        NormalPath at;
        if (!Resolve(current, false, at)) break;
        const Node* node = Find(at.path);
        if (node == nullptr || node->kind != Node::Kind::Link || node->target.empty()) break;
        if (node->target.front() == u'/') {
            current = node->target;
        } else {
            const std::size_t slash = current.rfind(u'/');
            current = slash == std::u16string::npos ? node->target
                                                    : current.substr(0, slash + 1) + node->target;
        }
    }
    return current;
}

bool OsTakeFileMode(OsFile& file, const std::u16string& model) {
    OpenFile* open = OpenOf(file);
    if (open == nullptr) return false;
    NormalPath at;
    if (!Resolve(model, true, at)) return true;
    const Node* node = Find(at.path);
    if (node == nullptr || node->kind == Node::Kind::Link) return true;
    // One user owns every file here: only the permission bits travel.
    open->content->mode = node->content->mode & 07777;
    return true;
}

bool OsHardLink(const std::u16string& existing, const std::u16string& link) {
    NormalPath source;
    NormalPath name;
    if (existing.empty() || link.empty() || !Resolve(existing, false, source) ||
        !Resolve(link, false, name) || IsRoot(name.path))
        return false;
    const Node* node = Find(source.path);
    if (node == nullptr || node->kind == Node::Kind::Folder || Find(name.path) ||
        !MayChangeFolder(ParentOf(name.path)))
        return false;
    Node second = *node;
    Files().nodes.emplace(std::u16string(name.path), std::move(second));
    return true;
}

bool OsMakeFolder(const std::u16string& path) {
    NormalPath at;
    if (path.empty() || !Resolve(path, false, at)) return false;
    if (IsRoot(at.path) || Find(at.path)) return OsFileSize(path) == -2;
    if (!MayChangeFolder(ParentOf(at.path))) return false;
    Files().nodes.emplace(std::u16string(at.path),
                          Node{Node::Kind::Folder, NewContent(NewFolderMode), {}});
    return true;
}

std::vector<std::u16string> OsFolderFiles(const std::u16string& folder) {
    std::vector<std::u16string> names;
    NormalPath at;
    if (folder.empty() || !Resolve(folder, true, at) || !IsFolder(at.path)) return names;
    if (!IsRoot(at.path) && (Find(at.path)->content->mode & OwnerRead) == 0) return names;
    const std::u16string prefix = InsidePrefix(at.path);
    const auto& nodes = Files().nodes;
    for (auto it = nodes.lower_bound(prefix); it != nodes.end() && it->first.starts_with(prefix);
         ++it) {
        const std::u16string_view name = std::u16string_view(it->first).substr(prefix.size());
        if (name.find(u'/') == std::u16string_view::npos && it->second.kind == Node::Kind::File)
            names.emplace_back(name);
    }
    return names;
}

OsLockResult OsLockFile(const std::u16string& path, OsFile& lock) {
    lock = OsFile{};
    if (!Open(path, true, true, Creation::IfMissing, false, lock) &&
        !Open(path, true, false, Creation::None, false, lock))
        return OsLockResult::Unavailable;
    Content& content = *OpenOf(lock)->content;
    // Another handle holds it: a second start of the program, here always in this process.
    if (content.lockHolder == -1) {
        content.lockHolder = lock.handle;
        return OsLockResult::Held;
    }
    Forget(*OpenOf(lock));
    lock.handle = -1;
    return OsLockResult::HeldElsewhere;
}
