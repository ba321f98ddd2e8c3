// CabFile over the emulated machine's cabinet service: the XML document, the
// filters of the three modes, the errors, and what extraction writes.
#include "cabinet/cab_file.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "cabinet/test_cabinet.h"
#include "common/progress_dots.h"
#include "engine/manifest.h"
#include "fakes/machine_platform.h"
#include "fakes/recording_surface.h"

namespace lyn {
namespace {

using testing::CabEntry;
using testing::DosDate;
using testing::DosTime;

// A label that keeps every caption it was given.
class CaptionLog : public fakes::RecordingSurface {
 public:
  std::vector<std::string> captions;
  void SetCaption(const std::string& caption) override { captions.push_back(caption); }
};

class CabFileTest : public ::testing::Test {
 protected:
  void SetUp() override { Manifest::BuildManifest(); }

  std::shared_ptr<CabFile> Cab(const std::string& name, const std::vector<CabEntry>& entries) {
    machine_.PutFile("C:\\Distribution\\" + name, testing::UncompressedCabinet(entries));
    auto cab = std::make_shared<CabFile>(machine_.platform());
    cab->SetCabName(name);
    return cab;
  }

  template <typename Call>
  CabFileError ErrorOf(Call call) {
    try {
      call();
    } catch (const CabFileError& e) {
      return e;
    }
    ADD_FAILURE() << "no error";
    return CabFileError(0, "", "");
  }

  fakes::MachinePlatform machine_;
};

TEST_F(CabFileTest, XmlDocumentIsWrittenExactlyAndUnescaped) {
  auto cab = Cab("it's.cab", {{"QY.chm", "help", DosDate(2009, 3, 14), DosTime(13, 5, 8)},
                              {"Maps\\a<b&c.jpg", "jpeg", DosDate(2010, 1, 2), DosTime(0, 0, 0)},
                              // A month 13 cannot be converted: the zero file time.
                              {"odd", "", DosDate(2001, 13, 1), DosTime(10, 0, 0)}});
  EXPECT_EQ(cab->GetXML(""),
            "<?xml version=\"1.0\"?><CABFILE CABFILENAME = 'it's.cab'><FILES>"
            "<FILE><FULLNAME>QY.chm</FULLNAME><NAME>QY.chm</NAME>"
            "<DATE>3/14/2009 1:05:08 PM</DATE><SIZE>4</SIZE><PATH></PATH></FILE>\r\n"
            "<FILE><FULLNAME>Maps\\a<b&c.jpg</FULLNAME><NAME>a<b&c.jpg</NAME>"
            "<DATE>1/2/2010</DATE><SIZE>4</SIZE><PATH>Maps\\</PATH></FILE>\r\n"
            "<FILE><FULLNAME>odd</FULLNAME><NAME>odd</NAME>"
            "<DATE>1/1/1601</DATE><SIZE>0</SIZE><PATH></PATH></FILE>\r\n"
            "</FILES></CABFILE>");
  EXPECT_EQ(Cab("none.cab", {})->GetXML(""),
            "<?xml version=\"1.0\"?><CABFILE CABFILENAME = 'none.cab'><FILES></FILES></CABFILE>");
}

TEST_F(CabFileTest, InformationComparesTheFullNameAndXmlTheNameAlone) {
  auto cab = Cab("t.cab", {{"one.txt", "1"},
                           {"Maps\\Map.jpg", "2", DosDate(2001, 2, 3), DosTime(4, 5, 6)},
                           {"map.jpg", "3"}});
  std::vector<std::string> found;
  cab->FileFound = [&found](const std::string& name, const CabDateTime& stamp, std::int32_t size,
                            const std::string& path) {
    found.push_back(path + "|" + name + "|" + std::to_string(size) + "|" +
                    std::to_string(stamp.Year) + "-" + std::to_string(stamp.Hour) + ":" +
                    std::to_string(stamp.Second));
  };
  cab->GetInfo("MAP.JPG");
  EXPECT_EQ(found, std::vector<std::string>{"|map.jpg|1|2009-13:8"});
  found.clear();
  cab->GetInfo("maps\\map.JPG");
  EXPECT_EQ(found, std::vector<std::string>{"Maps\\|Map.jpg|1|2001-4:6"});
  found.clear();
  cab->GetInfo("");
  EXPECT_EQ(found.size(), 3u);

  const std::string xml = cab->GetXML("MAP.JPG");
  EXPECT_NE(xml.find("<FULLNAME>Maps\\Map.jpg</FULLNAME>"), std::string::npos);
  EXPECT_EQ(xml.find("<FULLNAME>map.jpg</FULLNAME>"), std::string::npos) << "stops at the first";
  EXPECT_EQ(cab->FileCount(), 3);
  EXPECT_EQ(cab->FileCount(), 3);
}

TEST_F(CabFileTest, ErrorsCarryNumberSourceAndDescription) {
  auto unnamed = std::make_shared<CabFile>(machine_.platform());
  const std::string missingName =
      "You must set the CabName property before taking any action on the CabFile object.";
  for (const auto& [error, source] :
       {std::pair{ErrorOf([&] { unnamed->FileCount(); }), "CabFile"},
        std::pair{ErrorOf([&] { unnamed->Extract("", "C:\\x", ""); }), "CabFile"},
        std::pair{ErrorOf([&] { unnamed->GetInfo(""); }), "CabFile.GetInfo"},
        std::pair{ErrorOf([&] { unnamed->GetXML(""); }), "CabFile.GetXML"}}) {
    EXPECT_EQ(error.Number(), static_cast<std::int32_t>(0x800407A4));
    EXPECT_EQ(error.Source(), source);
    EXPECT_EQ(error.Description(), missingName);
  }

  // A missing cabinet's error is the scenario cab.t's.
  auto junk = std::make_shared<CabFile>(machine_.platform());
  machine_.PutFile("C:\\Distribution\\junk.cab", "junk");
  junk->SetCabName("junk.cab");
  EXPECT_EQ(ErrorOf([&] { junk->FileCount(); }).Description(), "Invalid data.");
  EXPECT_EQ(ErrorText(1223), "Unknown error.");

  // An error of an event handler ends the pass and leaves with the handler's
  // number and description.
  auto cab = Cab("t.cab", {{"a", "1"}, {"b", "2"}});
  int events = 0;
  cab->FileFound = [&events](const std::string&, const CabDateTime&, std::int32_t,
                             const std::string&) {
    ++events;
    throw CabFileError(5, "handler", "Invalid procedure call or argument");
  };
  const CabFileError fromHandler = ErrorOf([&] { cab->GetInfo(""); });
  EXPECT_EQ(events, 1);
  EXPECT_EQ(fromHandler.Number(), 5);
  EXPECT_EQ(fromHandler.Source(), "CabFile.GetInfo");
}

TEST_F(CabFileTest, ExtractionWritesOnlyMarkedManifestFilesAndAdvancesTheDots) {
  Manifest::InstallMark[31] = kTrue16;  // QY.chm
  Manifest::InstallMark[33] = kTrue16;  // LYN.exe
  std::vector<CabEntry> entries{
      {"QY.chm", "help"},         {"lyn.exe", "wrong case"}, {"SPARE", "spare"},
      {"ssvd.dtb", "not marked"}, {"other.txt", "none"},     {"Sub\\LYN.exe", "in a folder"},
      {"..\\up.txt", "out"},      {"C:\\root.txt", "drive"}, {"\\top.txt", "root"}};
  for (int i = 0; i < 4; ++i) entries.push_back({"extra" + std::to_string(i), "x"});
  auto cab = Cab("LYN.CAB", entries);
  CaptionLog label;
  fakes::RecordingSurface window;
  cab->SetProgressRow(label, window);
  std::vector<std::string> written;
  cab->AfterExtract = [&written](const std::string& path) { written.push_back(path); };
  cab->BeforeExtract = [](const std::string& name, Boolean16& cancel) {
    if (name == "other.txt") cancel = kTrue16;
  };
  ProgressDots::Counter = 7;

  cab->Extract("", "C:\\Temp\\LYNSetup", "");

  EXPECT_EQ(written, (std::vector<std::string>{"C:\\Temp\\LYNSetup\\QY.chm",
                                               "C:\\Temp\\LYNSetup\\Sub\\LYN.exe"}));
  EXPECT_EQ(machine_.ReadFile("C:\\Temp\\LYNSetup\\Sub\\LYN.exe"), "in a folder");
  for (const char* absent : {"C:\\Temp\\LYNSetup\\lyn.exe", "C:\\Temp\\LYNSetup\\SPARE",
                             "C:\\Temp\\up.txt", "C:\\root.txt", "C:\\top.txt"}) {
    EXPECT_FALSE(machine_.Exists(absent)) << absent;
  }
  // Nine files reach the dots (all but the cancelled one and the three that
  // would leave the folder), going on from seven and wrapping after nine.
  EXPECT_EQ(label.captions, (std::vector<std::string>{"........", ".........", ".", "..", "...",
                                                      "....", ".....", "......", "......."}));
  EXPECT_EQ(window.refreshes, 9);
  EXPECT_EQ(ProgressDots::Counter, 7);
}

TEST_F(CabFileTest, TargetsLongerThanTheBufferAreSkippedAndAnOutputFileNamesEveryTarget) {
  Manifest::InstallMark[32] = kTrue16;  // ssvd.dtb
  // "C:\Temp\" is 8 bytes: a 251-byte name makes a 259-byte target.
  const std::string longest = std::string(242, 'n') + "\\ssvd.dtb";
  const std::string tooLong = "m" + longest;
  auto cab = Cab("t.cab", {{longest, "fits"}, {tooLong, "too long"}});
  std::vector<std::string> written;
  cab->AfterExtract = [&written](const std::string& path) { written.push_back(path); };
  cab->Extract("", "C:\\Temp", "");
  EXPECT_EQ(written, std::vector<std::string>{"C:\\Temp\\" + longest});

  written.clear();
  auto renamed = Cab("r.cab", {{"a.txt", "first"}, {"b.txt", "second"}});
  renamed->AfterExtract = [&written](const std::string& path) { written.push_back(path); };
  renamed->Extract("", "C:\\Out\\Deep\\Er", "ssvd.dtb");
  EXPECT_EQ(written.size(), 2u);
  EXPECT_EQ(machine_.ReadFile("C:\\Out\\Deep\\Er\\ssvd.dtb"), "second");
}

TEST_F(CabFileTest, AFailedWriteIsPassedBackWithoutAfterExtract) {
  auto cab = std::make_shared<CabFile>(machine_.platform());
  std::vector<std::string> written;
  cab->AfterExtract = [&written](const std::string& path) { written.push_back(path); };
  win::FILEPATHS_A failed{"C:\\Out\\a", "LYN.CAB", win::ERROR_ACCESS_DENIED, 0};
  win::FILEPATHS_A done{"C:\\Out\\b", "LYN.CAB", win::NO_ERROR, 0};
  const auto extracted = [&cab](win::FILEPATHS_A& paths) {
    return cab->CabCallBack(2, win::SPFILENOTIFY_FILEEXTRACTED,
                            reinterpret_cast<win::UINT_PTR>(&paths), 0);
  };
  EXPECT_EQ(extracted(failed), win::ERROR_ACCESS_DENIED);
  EXPECT_EQ(extracted(done), win::NO_ERROR);
  EXPECT_EQ(written, std::vector<std::string>{"C:\\Out\\b"});
  EXPECT_EQ(cab->CabCallBack(2, win::SPFILENOTIFY_NEEDNEWCABINET, 0, 0), 0u);
}

}  // namespace
}  // namespace lyn
