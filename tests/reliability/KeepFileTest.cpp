// A save writes the file the load read, however links lead to it, and keeps what the file is:
// owner, group, mode, extended attributes (ACLs among them) and hard links. Where a new file
// renamed over the old one would lose any of these, or the folder does not allow it, the file is
// updated in place instead.

#include "ReliabilityTestSupport.h"

#include "files/SettingsFileIO.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace kestro::reliability {
namespace {

// The physical name of a scratch folder, so that expectations hold no links of their own.
QString Physical(const QTemporaryDir& dir) {
    char resolved[PATH_MAX];
    Check(::realpath(Name(dir.path()).constData(), resolved) != nullptr, "realpath");
    Check(::chmod(resolved, 0755) == 0, "chmod"); // nobody must reach the cases
    return QFile::decodeName(resolved);
}

void MakeFolders(const QString& root, std::initializer_list<const char*> folders) {
    for (const char* folder : folders)
        Check(QDir().mkpath(root + u'/' + QLatin1String(folder)), "mkdir");
}

void Link(const QString& root, const char* name, const char* target) {
    Check(::symlink(target, Name(root + u'/' + QLatin1String(name)).constData()) == 0, "symlink");
}

const QByteArray OldContent = "[Config]\nEpoch=1975\n";

// The old content, if there was any, and then the saved keys.
bool Saved(const QByteArray& bytes) {
    QByteArray keys = "[Shift Schedule]\nNumberOfPlatoons=3\n";
    return bytes.startsWith(keys) || bytes.startsWith(OldContent + keys);
}

// Every case reaches its file through the folder "linked", a link to real/a/b. The kernel takes
// ".." after a link from the link's target, so ../shared in real/a/b is real/a/shared; the decoy
// folder "shared" beside "linked" is where cleaning the name as text would lead.
struct LinkCase {
    const char* name;
    std::vector<std::pair<const char*, const char*>> links; // name and target
    bool exists;         // whether the file the links lead to exists
    const char* written; // the file the save must write, below the scratch folder
};

const LinkCase LinkCases[] = {
    {"RelativeDotDot",
     {{"real/a/b/Dunmarek.ini", "../shared/real.ini"}},
     true,
     "real/a/shared/real.ini"},
    {"Chain",
     {{"real/a/b/Dunmarek.ini", "one.ini"},
      {"real/a/b/one.ini", "../shared/two.ini"},
      {"real/a/shared/two.ini", "real.ini"}},
     true,
     "real/a/shared/real.ini"},
    {"DanglingDotDot",
     {{"real/a/b/Dunmarek.ini", "../shared/new.ini"}},
     false,
     "real/a/shared/new.ini"},
    {"DanglingChain",
     {{"real/a/b/Dunmarek.ini", "../shared/hop.ini"}, {"real/a/shared/hop.ini", "../b/new.ini"}},
     false,
     "real/a/b/new.ini"},
};

class SaveThroughLinks : public ::testing::TestWithParam<LinkCase> {};

void PrintTo(const LinkCase& c, std::ostream* out) {
    *out << c.name;
}

TEST_P(SaveThroughLinks, WritesTheFileTheKernelOpens) {
    const LinkCase& c = GetParam();
    QTemporaryDir dir;
    const QString root = Physical(dir);
    MakeFolders(root, {"real/a/b", "real/a/shared", "shared"});
    Link(root, "linked", "real/a/b");
    for (const auto& [name, target] : c.links)
        Link(root, name, target);
    const QString path = root + QStringLiteral("/linked/Dunmarek.ini");
    const QString written = root + u'/' + QLatin1String(c.written);
    if (c.exists)
        WriteBytes(written, OldContent);

    ASSERT_TRUE(StandardSave().SaveTo(path));
    EXPECT_TRUE(Saved(ReadBytes(written))) << ReadBytes(written).constData();
    EXPECT_EQ(ReadBytes(path), ReadBytes(written));
    EXPECT_TRUE(QFileInfo(root + QStringLiteral("/real/a/b/Dunmarek.ini")).isSymLink());
    EXPECT_EQ(Entries(root + QStringLiteral("/shared")), QStringList());
}

INSTANTIATE_TEST_SUITE_P(Links, SaveThroughLinks, ::testing::ValuesIn(LinkCases));

// What a save must keep of a file.
struct FileFacts {
    ino_t inode = 0;
    nlink_t links = 0;
    uid_t owner = 0;
    gid_t group = 0;
    mode_t mode = 0;
    std::map<std::string, QByteArray> attributes;
};

FileFacts FactsOf(const QString& path) {
    const QByteArray name = Name(path);
    struct stat st {};
    Check(::lstat(name.constData(), &st) == 0, "lstat");
    FileFacts facts{st.st_ino, st.st_nlink, st.st_uid, st.st_gid, st.st_mode & 07777, {}};
    std::vector<char> list(64 * 1024);
    const ssize_t size = ::llistxattr(name.constData(), list.data(), list.size());
    for (ssize_t at = 0; at < size; at += ssize_t(std::strlen(&list[at])) + 1) {
        QByteArray value(64 * 1024, '\0');
        const ssize_t got = ::lgetxattr(name.constData(), &list[at], value.data(), value.size());
        value.resize(std::max<ssize_t>(got, 0));
        facts.attributes[&list[at]] = value;
    }
    return facts;
}

// A POSIX access ACL as the kernel stores it in system.posix_acl_access: the owner, the user
// nobody and the mask may read and write, the owning group and others may read.
QByteArray AccessAcl() {
    QByteArray acl;
    const auto add32 = [&](quint32 v) {
        for (int i = 0; i < 4; ++i)
            acl += char((v >> (8 * i)) & 0xFF);
    };
    const auto entry = [&](quint16 tag, quint16 perm, quint32 id) {
        add32(tag | (quint32(perm) << 16));
        add32(id);
    };
    add32(2);
    entry(0x01, 6, 0xFFFFFFFF); // owner
    entry(0x02, 6, NobodyId);   // user nobody
    entry(0x04, 4, 0xFFFFFFFF); // owning group
    entry(0x10, 6, 0xFFFFFFFF); // mask
    entry(0x20, 4, 0xFFFFFFFF); // others
    return acl;
}

void SetAttribute(const QString& path, const char* name, const QByteArray& value) {
    Check(::setxattr(Name(path).constData(), name, value.constData(), value.size(), 0) == 0, name);
}

bool AttributesSupported(const QString& folder) {
    const QString probe = folder + QStringLiteral("/probe");
    WriteBytes(probe, "");
    const QByteArray acl = AccessAcl();
    const bool supported = ::setxattr(Name(probe).constData(), "user.probe", "1", 1, 0) == 0 &&
                           ::setxattr(Name(probe).constData(), "system.posix_acl_access",
                                      acl.constData(), acl.size(), 0) == 0;
    QFile::remove(probe);
    return supported;
}

enum class Way { Replaced, InPlace };

// The file belongs to `owner` (and the group of that ID) with mode 0664, or 0666 for root's file.
struct KeepCase {
    const char* name;
    uid_t owner;
    mode_t folderMode;
    bool attributes; // a user.* attribute and an ACL
    bool hardLink;
    bool asNobody; // else root saves
    Way way;
};

void PrintTo(const KeepCase& c, std::ostream* out) {
    *out << c.name;
}

const KeepCase KeepCases[] = {
    {"RootKeepsOwnerGroupModeAttributesAndAcl", NobodyId, 0755, true, false, false, Way::Replaced},
    {"OwnFileKeepsItsAttributes", NobodyId, 0777, true, false, true, Way::Replaced},
    {"HardLink", 0, 0755, false, true, false, Way::InPlace},
    {"SomeoneElsesFileInAGroupFolder", 0, 0777, false, false, true, Way::InPlace},
    {"WritableFileInAReadOnlyFolder", 0, 0555, false, false, true, Way::InPlace},
    {"SomeoneElsesFileInAStickyFolder", 0, 01777, false, false, true, Way::InPlace},
};

class KeepFile : public ::testing::TestWithParam<KeepCase> {};

TEST_P(KeepFile, SavesAndKeepsWhatTheFileIs) {
    const KeepCase& c = GetParam();
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to give files to another user";
    QTemporaryDir dir;
    const QString folder = Physical(dir) + QStringLiteral("/case");
    MakeFolders(folder, {""});
    if (c.attributes && !AttributesSupported(folder))
        GTEST_SKIP() << "the file system of " << folder.toStdString()
                     << " takes no user.* attributes or ACLs";
    const QString path = folder + QStringLiteral("/Dunmarek.ini");
    WriteBytes(path, OldContent);
    Check(::chown(Name(path).constData(), c.owner, c.owner) == 0, "chown");
    Check(::chmod(Name(path).constData(), c.owner == 0 ? 0666 : 0664) == 0, "chmod");
    if (c.attributes) {
        SetAttribute(path, "user.kestro.note", "shared schedule");
        SetAttribute(path, "system.posix_acl_access", AccessAcl());
    }
    if (c.hardLink)
        Check(::link(Name(path).constData(), Name(folder + QStringLiteral("/other.ini"))) == 0,
              "link");
    Check(::chmod(Name(folder).constData(), c.folderMode) == 0, "chmod folder");
    const FileFacts before = FactsOf(path);
    const QStringList entries = Entries(folder);

    const ChildResult result = SaveInChild(path, StandardSave(), {c.asNobody, 0, folder});
    ::chmod(Name(folder).constData(), 0755);
    if (result == ChildResult::CouldNotPrepare)
        GTEST_SKIP() << "cannot run the save as the user nobody (" << NobodyId << ")";
    ASSERT_EQ(result, ChildResult::Saved) << ChildResultName(result);

    const FileFacts after = FactsOf(path);
    EXPECT_EQ(after.owner, before.owner);
    EXPECT_EQ(after.group, before.group);
    EXPECT_EQ(after.mode, before.mode) << std::oct << after.mode << " " << before.mode;
    EXPECT_EQ(after.attributes, before.attributes);
    EXPECT_EQ(after.links, before.links);
    EXPECT_EQ(after.inode == before.inode, c.way == Way::InPlace) << "the other way was taken";
    for (const QString& entry : entries) // the file and its other link
        EXPECT_TRUE(Saved(ReadBytes(folder + u'/' + entry))) << entry.toStdString();
    EXPECT_EQ(Entries(folder), entries); // nothing left beside it
}

INSTANTIATE_TEST_SUITE_P(Files, KeepFile, ::testing::ValuesIn(KeepCases));

// A write in place that fails half-way puts the old content back.
TEST(KeepFileInPlace, AFailedWritePutsTheOldContentBack) {
    QTemporaryDir dir;
    const QString folder = Physical(dir);
    const QString path = folder + QStringLiteral("/Dunmarek.ini");
    const QByteArray before = RealisticSettingsFile(64 * 1024, 3);
    WriteBytes(path, before);
    ASSERT_EQ(
        ::link(Name(path).constData(), Name(folder + QStringLiteral("/other.ini")).constData()), 0);
    const QStringList entries = Entries(folder);
    // The new content is longer than the old, and the limit lies between them.
    const rlim_t limit = rlim_t(before.size()) + 16;
    QString reason;
    const ChildResult result = SaveInChild(path, StandardSave(), {false, limit, {}}, &reason);
    if (result == ChildResult::CouldNotPrepare)
        GTEST_SKIP() << "cannot set a file-size limit";
    EXPECT_EQ(result, ChildResult::Failed) << ChildResultName(result);
    EXPECT_EQ(reason, QStringLiteral("File too large"));
    EXPECT_EQ(ReadBytes(path), before);
    EXPECT_EQ(Entries(folder), entries);
}

// A file bind-mounted onto the settings file's name cannot be renamed over; it is written in
// place. The mount lives in a mount namespace of a child process of its own.
TEST(KeepFileInPlace, ABindMountedFileIsWrittenInPlace) {
    QTemporaryDir dir;
    const QString folder = Physical(dir);
    const QString path = folder + QStringLiteral("/Dunmarek.ini");
    const QString source = folder + QStringLiteral("/mounted.ini");
    WriteBytes(path, OldContent);
    WriteBytes(source, OldContent);
    const pid_t child = ::fork();
    if (child == 0) {
        if (::unshare(CLONE_NEWNS) != 0 ||
            ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            ::mount(Name(source).constData(), Name(path).constData(), nullptr, MS_BIND, nullptr) !=
                0)
            ::_exit(3);
        ::_exit(StandardSave().SaveTo(path) ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 3)
        GTEST_SKIP() << "cannot make a bind mount in a mount namespace of its own here";
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the save failed";
    EXPECT_TRUE(Saved(ReadBytes(source))) << ReadBytes(source).constData();
    EXPECT_EQ(ReadBytes(path), OldContent); // beneath the mount, untouched
    EXPECT_EQ(Entries(folder),
              (QStringList{QStringLiteral("Dunmarek.ini"), QStringLiteral("mounted.ini")}));
}

} // namespace
} // namespace kestro::reliability
