#include "support/golden.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QString>

#include <cstdio>

namespace qmtest {

void ExpectGolden(const std::string& actual, const std::string& name) {
  const QString path = QString(QM_TEST_DATA_DIR) + "/" + QString::fromStdString(name);
  if (qEnvironmentVariableIsSet("QM_UPDATE_GOLDEN")) {
    QFile out(path);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly)) << path.toStdString();
    out.write(actual.data(), static_cast<qint64>(actual.size()));
    std::printf("golden rewritten: %s\n", name.c_str());
    return;
  }
  QFile in(path);
  ASSERT_TRUE(in.open(QIODevice::ReadOnly)) << path.toStdString();
  EXPECT_EQ(actual, in.readAll().toStdString()) << "golden " << name;
}

}  // namespace qmtest
