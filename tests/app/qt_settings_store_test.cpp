#include "app/qt_settings_store.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
QString IniIn(const QTemporaryDir& dir)
{
    return dir.filePath(QStringLiteral("Quorvel.conf"));
}

void WriteFile(const QString& strPath, const QByteArray& contents)
{
    QFile file(strPath);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(contents);
}
} // namespace

TEST(QtSettingsStore, WrittenValueIsOnDiskAtOnce)
{
    QTemporaryDir dir;
    QtSettingsStore store(IniIn(dir));
    EXPECT_EQ(store.ReadCalibration(), "");

    store.WriteCalibration("rabcdefghijklmnopq");
    QFile file(IniIn(dir));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray contents = file.readAll();
    EXPECT_TRUE(contents.contains("[Daten]")) << contents.constData();
    EXPECT_TRUE(contents.contains("Kalibrierung=rabcdefghijklmnopq")) << contents.constData();

    EXPECT_EQ(QtSettingsStore(IniIn(dir)).ReadCalibration(), "rabcdefghijklmnopq");

    store.WriteCalibration("");
    QtSettingsStore reread(IniIn(dir));
    EXPECT_EQ(reread.ReadCalibration(), "");
}

TEST(QtSettingsStore, UnreadableOrOddValuesCountAsEmpty)
{
    QTemporaryDir dir;
    WriteFile(IniIn(dir), "[Daten]\nKalibrierung=r, l, x\n");
    EXPECT_EQ(QtSettingsStore(IniIn(dir)).ReadCalibration(), "");

    WriteFile(IniIn(dir), QByteArray("\xff\xfe[Daten\nKalibrierung\x00=r\n", 24));
    EXPECT_EQ(QtSettingsStore(IniIn(dir)).ReadCalibration(), "");

    EXPECT_EQ(QtSettingsStore(dir.filePath(QStringLiteral("missing/none.conf"))).ReadCalibration(), "");
}

TEST(QtSettingsStore, NativeStoreLivesUnderTheOrganizationAndApplication)
{
    QtSettingsStore store(QStringLiteral("Valdrin"), QStringLiteral("Quorvel"));
    EXPECT_TRUE(store.FileName().endsWith(QStringLiteral("/Valdrin/Quorvel.conf"))) << store.FileName().toStdString();
}
