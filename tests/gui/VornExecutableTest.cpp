// The real program, started offscreen in a scratch home, leaves through
// File > Exit and writes its settings there.

#include <filesystem>

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(VornExecutable, StartsOffscreenAndEndsThroughFileExitSavingTheSettings) {
  QTemporaryDir home;
  ASSERT_TRUE(home.isValid());
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("QT_QPA_PLATFORM", "offscreen");
  env.insert("HOME", home.path());
  env.insert("XDG_CONFIG_HOME", home.path() + "/config");
  env.insert("VORN_TEST_EXIT_AFTER_START", "1");
  QProcess vorn;
  vorn.setProcessEnvironment(env);
  vorn.start(QStringLiteral(VORN_BIN_DIR "/vorn"), {});
  ASSERT_TRUE(vorn.waitForStarted(10000));
  ASSERT_TRUE(vorn.waitForFinished(60000)) << "vorn did not end";
  EXPECT_EQ(vorn.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(vorn.exitCode(), 0) << vorn.readAllStandardError().toStdString();
  QFile settings(home.path() + "/config/Corvath VORN.conf");
  ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
  const QByteArray text = settings.readAll();
  EXPECT_TRUE(text.contains("[UserSelect]"));
  EXPECT_TRUE(text.contains("Units=0"));
  EXPECT_TRUE(text.contains("WarningMessage=0"));
}

}  // namespace
