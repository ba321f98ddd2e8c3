// The profile of an emulated machine: what its Windows reports about itself.
// Fields carry the platform's published names where it has them.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/api/win_types.h"

namespace lyn::sim {

// A drive of the machine. The file-system name is reported as written here
// ("NTFS", "FAT32", "CDFS", even "ntfs"); the volume's flags follow from it.
struct DriveVolume {
  std::string fileSystem = "NTFS";  // "NTFS", "FAT32", "CDFS"
  std::string volumeName;
  win::DWORD serialNumber = 0;

  friend bool operator==(const DriveVolume&, const DriveVolume&) = default;
};

// How a library's self-registration entry points behave when run: they take
// `delayMs` milliseconds and answer `result`.
struct SelfRegistrationBehaviour {
  win::DWORD delayMs = 0;
  win::HRESULT result = 0;

  friend bool operator==(const SelfRegistrationBehaviour&,
                         const SelfRegistrationBehaviour&) = default;
};

struct Profile {
  // Version records.
  win::DWORD dwPlatformId = 2;
  win::DWORD dwMajorVersion = 6;
  win::DWORD dwMinorVersion = 1;
  win::DWORD dwBuildNumber = 7601;
  std::string szCSDVersion = "Service Pack 1";
  win::WORD wServicePackMajor = 1;
  win::WORD wServicePackMinor = 0;
  win::WORD wSuiteMask = 0x0100;
  win::BYTE wProductType = 1;
  // Processor and WOW64: the native processor, and whether the 32-bit setup
  // program runs under WOW64.
  win::WORD wProcessorArchitecture = 0;
  bool Wow64 = false;
  win::DWORD GetProductInfo = 1;
  // System metrics.
  int SM_TABLETPC = 0;
  int SM_MEDIACENTER = 0;
  int SM_STARTER = 0;
  int SM_SERVERR2 = 0;
  int SM_CXSCREEN = 1024;
  int SM_CYSCREEN = 768;
  // Locale and user.
  win::UINT AnsiCodePage = 1252;
  std::string UserName = "Owner";
  bool IsAdmin = true;
  std::string UsersGroupName = "Users";
  // User Account Control (Windows Vista and later): whether it is on, and
  // what the person answers when a program asks for administrator rights:
  // "Yes" (an administrator consents; a standard user types an
  // administrator's password) or "No".
  bool EnableLUA = true;
  std::string ElevationAnswer = "Yes";
  // Folders, as Windows paths of the machine.
  std::string WindowsDirectory = "C:\\Windows";
  std::string SystemDirectory = "C:\\Windows\\system32";
  std::string TempPath = "C:\\Users\\Owner\\AppData\\Local\\Temp\\";
  std::string ProgramFiles = "C:\\Program Files";
  std::string CommonFiles = "C:\\Program Files\\Common Files";
  std::string CommonPrograms = "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs";
  std::string Desktop = "C:\\Users\\Owner\\Desktop";
  std::string CurrentDirectory = "C:\\Distribution";
  // Drive letters (upper case) and their volumes.
  std::map<char, DriveVolume> drives = {{'C', DriveVolume{}}};
  // Libraries whose self-registration does not succeed at once, by file name
  // ("SelfRegistration.MSCOMCTL.OCX" = "0x80004005", "delay=11000", or
  // "delay=11000,0x80004005"); every other library succeeds at once.
  std::map<std::string, SelfRegistrationBehaviour> SelfRegistration;

  friend bool operator==(const Profile&, const Profile&) = default;
};

struct Preset {
  std::string name;
  std::string description;
  Profile profile;
};

// Every named preset, the default first.
const std::vector<Preset>& Presets();
// Throws std::invalid_argument naming the preset when it is unknown.
const Preset& FindPreset(const std::string& name);
const std::string& DefaultPresetName();

// Sets one field by its published name ("dwMajorVersion", "Wow64",
// "Drive.D=CDFS", ...). Numbers in decimal or 0x hexadecimal, checked against
// the field's width; flags "true" or "false". A drive is made by naming its
// file system ("Drive.D" = "CDFS"); "Drive.D.VolumeName" and
// "Drive.D.SerialNumber" set the rest of an existing drive. Throws
// std::invalid_argument with a one-line message for an unknown field or a
// malformed value; an unknown field's message names the closest ones.
void SetField(Profile& profile, const std::string& field, const std::string& value);

// A field as `lynsim fields` lists it: the value is the profile's.
struct FieldDescription {
  std::string group;
  std::string name;
  std::string type;   // "number", "hex number", "flag" or "text"
  std::string range;  // what the value may be
  std::string value;
  std::string meaning;
};

// Every field a person sets, grouped, in the profile file's order; the
// drive fields last, with drive C's values.
std::vector<FieldDescription> DescribeFields(const Profile& profile);
// The known field names nearest to an unknown one, ignoring case: at most
// three, none more than a slip of a few letters away.
std::vector<std::string> ClosestFields(const std::string& name);

// The version of the profile file this program writes. A file without a
// "ProfileVersion" line is version 1.
inline constexpr int kProfileVersion = 2;

// The profile as text, one "field = value" line each after the
// "ProfileVersion" line, and back. Blank lines and lines starting with '#'
// are ignored, and so is a UTF-8 byte-order mark; a value with blanks at
// either end is written between double quotes. Reading is strict: it throws
// std::invalid_argument with a one-line message naming the line for an
// unknown, repeated or malformed line, and naming the fields when some that
// the file's version has are missing; a field added in a later version than
// the file's takes its default. A version newer than kProfileVersion is an
// error. Drives are those the text names.
std::string ProfileToText(const Profile& profile);
Profile ProfileFromText(const std::string& text);
// The profile as text in the layout of `previous`, a profile file: its
// comments, blank lines and field order stay, each field's line gets the
// profile's value, and the fields it lacks follow at its end.
std::string UpdatedProfileText(const std::string& previous, const Profile& profile);

}  // namespace lyn::sim
