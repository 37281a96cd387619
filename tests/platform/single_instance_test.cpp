// The per-user instance socket, in a private runtime folder.
#include "platform/single_instance.h"

#include <QDir>
#include <QFileInfo>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <optional>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

class SingleInstanceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_runtime.isValid());
        m_saved = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime.path()));
    }
    void TearDown() override { qputenv("XDG_RUNTIME_DIR", m_saved); }
    QTemporaryDir m_runtime;
    QByteArray m_saved;
};

}  // namespace

TEST_F(SingleInstanceTest, ASecondInstanceAsksTheFirstToRestore)
{
    const QString title = QStringLiteral("Zarnek_v1.98");
    LocalSocketInstance first(title);
    EXPECT_TRUE(first.socketPath().startsWith(m_runtime.path()));
    EXPECT_FALSE(first.handOverToRunning());
    first.serve();
    QSignalSpy restores(&first, &SingleInstance::restoreRequested);

    for (int i = 0; i < 2; ++i) {
        LocalSocketInstance second(title);
        EXPECT_TRUE(second.handOverToRunning());
        ASSERT_TRUE(QTest::qWaitFor([&] { return restores.count() == i + 1; }, 10000));
    }
    // Another title is another program; another desktop, another session.
    LocalSocketInstance other(QStringLiteral("Other"));
    EXPECT_FALSE(other.handOverToRunning());
    LocalSocketInstance elsewhere(title, QStringLiteral(":1"));
    EXPECT_FALSE(elsewhere.handOverToRunning());
    EXPECT_FALSE(elsewhere.socketPath().contains(QLatin1Char(':')));
}

TEST_F(SingleInstanceTest, ASocketLeftByACrashedInstanceIsTakenOver)
{
    const QString title = QStringLiteral("Zarnek_v1.98");
    LocalSocketInstance probe(title);
    // A socket file nobody listens on, as a killed instance leaves it.
    const QByteArray path = QFile::encodeName(probe.socketPath());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(static_cast<size_t>(path.size()), sizeof address.sun_path);
    std::memcpy(address.sun_path, path.constData(), static_cast<size_t>(path.size()));
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(fd);
    ASSERT_TRUE(QFile::exists(probe.socketPath()));

    LocalSocketInstance restarted(title);
    EXPECT_FALSE(restarted.handOverToRunning());
    restarted.serve();
    LocalSocketInstance second(title);
    EXPECT_TRUE(second.handOverToRunning());
}

namespace {

// The folder of the socket may be written by this user alone: whoever else
// can write there can listen on the name first and end every start.
void expectPrivateFolder(const QString& socketPath)
{
    const QByteArray folder = QFile::encodeName(QFileInfo(socketPath).absolutePath());
    struct stat st {};
    ASSERT_EQ(::lstat(folder.constData(), &st), 0) << folder.constData();
    EXPECT_TRUE(S_ISDIR(st.st_mode)) << folder.constData();
    EXPECT_EQ(st.st_uid, ::getuid()) << folder.constData();
    EXPECT_EQ(st.st_mode & 077, 0u) << folder.constData() << " mode " << std::oct << st.st_mode;
}

// XDG_RUNTIME_DIR, TMPDIR and HOME as the test sets them, restored after.
class Environment {
public:
    explicit Environment(std::initializer_list<const char*> names)
    {
        for (const char* n : names)
            m_saved.emplace_back(n, qEnvironmentVariableIsSet(n) ? std::optional(qgetenv(n)) : std::nullopt);
    }
    ~Environment()
    {
        for (const auto& [name, value] : m_saved) {
            if (value)
                qputenv(name, *value);
            else
                qunsetenv(name);
        }
    }

private:
    std::vector<std::pair<const char*, std::optional<QByteArray>>> m_saved;
};

}  // namespace

// Without XDG_RUNTIME_DIR the socket must not lie in the shared temporary
// folder, where any user can create the name first; and when the private
// folder Qt would use there was made by another user, the program keeps one
// of its own in the user's home.
TEST(SingleInstancePlace, WithoutARuntimeFolderTheSocketStillLiesInAPrivateFolder)
{
    Environment saved({"XDG_RUNTIME_DIR", "TMPDIR", "HOME", "XDG_CACHE_HOME"});
    QTemporaryDir shared;
    QTemporaryDir home;
    ASSERT_TRUE(shared.isValid() && home.isValid());
    // A temporary folder as /tmp is: everybody writes there.
    ASSERT_EQ(::chmod(QFile::encodeName(shared.path()).constData(), 01777), 0);
    qunsetenv("XDG_RUNTIME_DIR");
    qunsetenv("XDG_CACHE_HOME");
    qputenv("TMPDIR", QFile::encodeName(shared.path()));
    qputenv("HOME", QFile::encodeName(home.path()));

    const QString title = QStringLiteral("Zarnek_v1.98");
    {
        LocalSocketInstance instance(title);
        EXPECT_FALSE(instance.socketPath().startsWith(shared.path() + QStringLiteral("/Zarnek")))
            << instance.socketPath().toStdString();
        expectPrivateFolder(instance.socketPath());
        EXPECT_FALSE(instance.handOverToRunning());
        instance.serve();
        LocalSocketInstance second(title);
        EXPECT_TRUE(second.handOverToRunning());
    }

    // Another user got there first: runtime-<user> is theirs and open to all.
    if (::getuid() != 0)
        GTEST_SKIP() << "giving a folder to another user needs root";
    QTemporaryDir shared2;
    ASSERT_EQ(::chmod(QFile::encodeName(shared2.path()).constData(), 01777), 0);
    qputenv("TMPDIR", QFile::encodeName(shared2.path()));
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    ASSERT_TRUE(runtime.startsWith(shared2.path())) << runtime.toStdString();
    const QByteArray taken = QFile::encodeName(runtime);
    ASSERT_EQ(::chmod(taken.constData(), 0777), 0);
    ASSERT_EQ(::chown(taken.constData(), 65534, 65534), 0);
    LocalSocketInstance instance(title);
    EXPECT_FALSE(instance.socketPath().startsWith(shared2.path())) << instance.socketPath().toStdString();
    expectPrivateFolder(instance.socketPath());
}
