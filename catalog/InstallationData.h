#pragma once

// What the collection installs for each program: product name, version,
// release date, home page, folder below the "apps64" folder and the base
// executable name (the 32-bit build where there are two). Also the
// publisher's addresses that the windows link to.

#include <QStringView>
#include <span>

namespace mirto {

struct TInstallationRecord {
  int ID;
  QStringView ProgramName;
  QStringView Version;
  QStringView Date;  // day.month.year
  QStringView Url;
  QStringView FolderName;
  QStringView BaseExeName;  // ends in ".exe"
};

// The record for a program ID, or nullptr.
const TInstallationRecord* FindInstallationRecord(int ID);

// Every record, one per program of the collection.
std::span<const TInstallationRecord> InstallationRecords();

inline constexpr QStringView PublisherHomePageUrl = u"https://quorvane.example/";
inline constexpr QStringView PublisherHomePageCaption = u"quorvane.example";
inline constexpr QStringView ProductPageUrl = u"https://quorvane.example/mirto/";
inline constexpr QStringView DonationPageUrl = u"https://quorvane.example/donate/";

}  // namespace mirto
