#include "support/temp_folder.h"

#include <QFile>

#include <gtest/gtest.h>

namespace vexlo::test {

TempFolder::TempFolder()
{
    EXPECT_TRUE(dir_.isValid());
}

void TempFolder::write(const QString &name, const QByteArray &bytes) const
{
    QFile file(this->file(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray TempFolder::read(const QString &name) const
{
    QFile file(this->file(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QByteArray TestData(const QString &relativePath)
{
    QFile file(QStringLiteral(VEXLO_TEST_DATA "/") + relativePath);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << relativePath.toStdString();
    return file.readAll();
}

} // namespace vexlo::test
