#include <gtest/gtest.h>

#include <QDate>
#include <QUrl>
#include <set>

#include "catalog/InstallationData.h"
#include "catalog/MirtoApps.h"
#include "tests/support/QtPrinters.h"

namespace mirto {
namespace {

bool UsesReservedExampleDomain(const QString& address) {
  const QUrl url(address, QUrl::StrictMode);
  if (!url.isValid() || (url.scheme() != "https" && url.scheme() != "http")) return false;
  const QString host = url.host().toLower();
  for (const char* reserved : {"example.com", "example.org", "example.net"}) {
    const QString domain = QString::fromLatin1(reserved);
    if (host == domain || host.endsWith("." + domain)) return true;
  }
  return host.endsWith(".example") || host == "example";
}

TEST(InstallationData, EveryAddressUsesAReservedExampleDomain) {
  for (const TInstallationRecord& r : InstallationRecords()) {
    EXPECT_TRUE(UsesReservedExampleDomain(r.Url.toString())) << r.ID;
  }
  for (QStringView page : {PublisherHomePageUrl, ProductPageUrl, DonationPageUrl}) {
    EXPECT_TRUE(UsesReservedExampleDomain(page.toString())) << page.toString().toStdString();
  }
  EXPECT_EQ(QUrl(PublisherHomePageUrl.toString()).host(), PublisherHomePageCaption.toString());

  // Non-example lookalikes are refused by the check itself.
  EXPECT_FALSE(UsesReservedExampleDomain("https://example.com.evil.net/"));
  EXPECT_FALSE(UsesReservedExampleDomain("https://notexample.com/"));
}

TEST(InstallationData, OneCompleteRecordPerProgramOfTheCollection) {
  std::set<int> ids;
  for (const TInstallationRecord& r : InstallationRecords()) {
    SCOPED_TRACE(r.ID);
    ids.insert(r.ID);
    EXPECT_EQ(FindInstallationRecord(r.ID), &r);
    EXPECT_FALSE(r.ProgramName.isEmpty());
    EXPECT_FALSE(r.Version.isEmpty());
    EXPECT_FALSE(r.FolderName.isEmpty());
    EXPECT_TRUE(r.BaseExeName.endsWith(u".exe"));
    EXPECT_GT(r.BaseExeName.size(), 4);
  }
  EXPECT_EQ(ids, std::set<int>(AboutProgramOrder.begin(), AboutProgramOrder.end()));
  EXPECT_EQ(AboutProgramOrder.size(), 25u);
  EXPECT_EQ(FindInstallationRecord(22), nullptr);
}

TEST(InstallationData, DatesRunNewestFirstInTheAboutOrderAndPredateTheLauncher) {
  const QDate launcherDate(2019, 10, 19);
  QDate previous = launcherDate;
  for (int id : AboutProgramOrder) {
    const TInstallationRecord* r = FindInstallationRecord(id);
    ASSERT_NE(r, nullptr) << id;
    const QDate date = QDate::fromString(r->Date.toString(), "dd.MM.yyyy");
    ASSERT_TRUE(date.isValid()) << id << " " << r->Date.toString().toStdString();
    EXPECT_LT(date, previous) << id;
    previous = date;
  }
}

}  // namespace
}  // namespace mirto
