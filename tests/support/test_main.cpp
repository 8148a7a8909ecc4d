#include "support/scripted_prompt.h"

#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

// Every test gets a user data folder of its own, so no test ever touches the
// real one, and the unsaved work one test leaves is not offered to the next.
class OwnDataFolder : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo &) override
    {
        folder_ = std::make_unique<QTemporaryDir>();
        qputenv("XDG_DATA_HOME", folder_->path().toLocal8Bit());
    }
    void OnTestEnd(const ::testing::TestInfo &) override { folder_.reset(); }

    std::unique_ptr<QTemporaryDir> folder_;
};

} // namespace

int main(int argc, char **argv)
{
    // Headless unless the caller chose a platform (the real-window checks do).
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen"
                                                                     : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vexlo"));
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new OwnDataFolder);
    return RUN_ALL_TESTS();
}
