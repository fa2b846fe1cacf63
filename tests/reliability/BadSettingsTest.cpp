// Start-up with settings files no one would write by hand: random bytes, NUL bytes, ten
// megabytes, a hundred thousand sections, very long lines. The window comes up, reads the
// values the rules give, and keeps everything in the file that the rules keep.

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <random>
#include <set>
#include <stdexcept>
#include <string>

#include "app/MainForm.h"
#include "settings/IniDocument.h"
#include "support/RecordingPlatform.h"
#include "support/TempDir.h"

namespace {

using settings::IniDocument;

constexpr const char* kFile = "relaypanel.ini";
constexpr const char* kMain = "relaypanel";
constexpr const char* kPresets = "ON/OFF";
// The address every file here names: loopback, and nothing listens there.
const std::string kMainHeader = "[relaypanel]\r\nIPV4=127.0.0.51\r\n";

const std::set<std::string> kMainKeys = {"IPV4", "Port", "Timer", "UseOnOff", "ExitSec", "UseExit"};

std::string Upper(std::string s) {
  for (char& c : s) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return s;
}

bool SameName(const std::string& a, const std::string& b) {
  return Upper(a) == Upper(b);
}

// Index of the last section with this name, or -1.
int LastSection(const IniDocument& doc, const std::string& name) {
  const auto& sections = doc.Sections();
  for (int i = static_cast<int>(sections.size()) - 1; i >= 0; --i) {
    if (SameName(sections[i].name, name)) return i;
  }
  return -1;
}

// The lines of a section without those whose key the program itself manages there.
std::vector<std::string> Unmanaged(const std::vector<std::string>& lines, bool main, bool presets) {
  std::vector<std::string> kept;
  for (const std::string& line : lines) {
    const std::size_t eq = line.find('=');
    const std::string key = Upper(eq == std::string::npos ? std::string() : line.substr(0, eq));
    bool managed = false;
    if (eq != std::string::npos && main) {
      for (const auto& k : kMainKeys) managed = managed || Upper(k) == key;
    }
    if (eq != std::string::npos && presets) {
      for (const char* prefix : {"S_CBX_", "E_CBX_", "S_CHB_", "E_CHB_"}) {
        managed = managed ||
                  (key.size() == 7 && key.rfind(prefix, 0) == 0 && key[6] >= '1' && key[6] <= '8');
      }
    }
    if (!managed) kept.push_back(line);
  }
  return kept;
}

// Every section of the old document is still there in its place with every line, except
// that the program's own keys in its two sections may have been added or changed. New
// sections may only be the program's own, at the end.
void ExpectKept(const IniDocument& before, const IniDocument& after) {
  const auto& old = before.Sections();
  const auto& now = after.Sections();
  ASSERT_GE(now.size(), old.size());
  const int mainBefore = LastSection(before, kMain);
  const int presetsBefore = LastSection(before, kPresets);
  for (std::size_t i = 0; i < old.size(); ++i) {
    ASSERT_EQ(now[i].name, old[i].name) << "section " << i;
    const bool main = static_cast<int>(i) == mainBefore;
    const bool presets = static_cast<int>(i) == presetsBefore;
    if (!main && !presets) {
      ASSERT_TRUE(now[i].lines == old[i].lines) << "section " << i << " changed";
    } else {
      ASSERT_TRUE(Unmanaged(now[i].lines, main, presets) == Unmanaged(old[i].lines, main, presets))
          << "section " << i << " lost lines of its own";
    }
  }
  for (std::size_t i = old.size(); i < now.size(); ++i) {
    EXPECT_TRUE(SameName(now[i].name, kMain) || SameName(now[i].name, kPresets)) << now[i].name;
  }
}

class BadSettingsTest : public ::testing::Test {
 protected:
  // The design values, from a window that was never started.
  BadSettingsTest() : design(std::make_unique<app::TForm1>(platform)) {}

  // Writes the file, starts the window (creation, and the first showing unless the file is
  // so large that the preset reads alone would take long), and checks what it read.
  app::TForm1& StartWith(const std::string& bytes, bool show = true) {
    dir.Write(kFile, bytes);
    before = IniDocument::Parse(bytes);
    RequireLoopback();
    form = std::make_unique<app::TForm1>(platform);
    form->Create();
    if (show) form->Show();
    EXPECT_TRUE(platform.messages.empty())
        << (platform.messages.empty() ? "" : platform.messages.front().text);
    ExpectMainValues(*form);
    return *form;
  }

  // Nothing in these files may make the window send anywhere but to loopback.
  void RequireLoopback() const {
    const auto address = before.ReadValue(kMain, "IPV4");
    if (!address || address->rfind("127.", 0) != 0) {
      throw std::runtime_error("the test file must name a loopback address");
    }
  }

  // Each of the six keys: the stored value as the rules read it, or the design value.
  void ExpectMainValues(app::TForm1& w) {
    const auto text = [&](const char* key, const std::string& fallback) {
      return before.ReadValue(kMain, key).value_or(fallback);
    };
    const auto number = [&](const char* key, std::int32_t fallback) {
      const auto v = before.ReadValue(kMain, key);
      return v ? settings::ParseIniInteger(*v, fallback) : fallback;
    };
    EXPECT_EQ(w.Edit1.Text(), text("IPV4", design->Edit1.Text()));
    EXPECT_EQ(w.Edit2.Text(), text("Port", design->Edit2.Text()));
    EXPECT_EQ(w.RefUD.Position(),
              static_cast<std::int16_t>(number("Timer", design->RefUD.Position())));
    EXPECT_EQ(w.M_OnOff.Checked(), number("UseOnOff", design->M_OnOff.Checked() ? 1 : 0) != 0);
    EXPECT_EQ(w.ExitUD.Position(),
              static_cast<std::int16_t>(number("ExitSec", design->ExitUD.Position())));
    EXPECT_EQ(w.ExitCB.Checked(), number("UseExit", design->ExitCB.Checked() ? 1 : 0) != 0);
    EXPECT_EQ(w.DeviceAddress, w.Edit1.Text());
  }

  IniDocument After() const { return IniDocument::Parse(dir.Read(kFile)); }

  // The whole close: presets and the six keys written back; the file still keeps its own.
  void CloseAndExpectKept() {
    form->Close();
    EXPECT_TRUE(form->Closed());
    EXPECT_TRUE(platform.messages.empty());
    ExpectKept(before, After());
  }

  support::TempDir dir;
  support::RecordingPlatform platform;
  std::unique_ptr<app::TForm1> design;
  std::unique_ptr<app::TForm1> form;
  IniDocument before;
};

std::string RandomBytes(std::mt19937& random, std::size_t size, bool withNul) {
  std::uniform_int_distribution<int> byte(withNul ? 0 : 1, 255);
  std::string bytes(size, ' ');
  for (char& c : bytes) c = static_cast<char>(byte(random));
  return bytes;
}

}  // namespace

TEST_F(BadSettingsTest, RandomBytesAroundTheMainSection) {
  std::mt19937 random(20261211);
  for (int round = 0; round < 3; ++round) {
    SCOPED_TRACE(round);
    const std::string bytes = RandomBytes(random, 64 * 1024, false) + "\r\n" + kMainHeader +
                              "Timer=7\r\nExitSec=$1E\r\n" + RandomBytes(random, 64 * 1024, false);
    StartWith(bytes);
    ExpectKept(before, After());
    CloseAndExpectKept();
    form.reset();
  }
}

TEST_F(BadSettingsTest, EverythingFromANulByteOnIsIgnored) {
  const std::string afterNul =
      std::string("\0", 1) + "UseOnOff=1\r\nIPV4=127.0.0.99\r\n[ON/OFF]\r\nS_ChB_1=1\r\n";
  app::TForm1& w = StartWith(kMainHeader + "Timer=12\r\n[Keep]\r\na=b\r\n" + afterNul);
  EXPECT_EQ(w.Edit1.Text(), "127.0.0.51");
  EXPECT_EQ(w.RefUD.Position(), 12);
  EXPECT_FALSE(w.M_OnOff.Checked());
  EXPECT_FALSE(w.S_ChB_1.Checked());
  const std::string now = dir.Read(kFile);
  EXPECT_EQ(now.find('\0'), std::string::npos);
  EXPECT_EQ(now.find("127.0.0.99"), std::string::npos);
  ExpectKept(before, After());
  CloseAndExpectKept();
}

TEST_F(BadSettingsTest, TenMegabyteFile) {
  std::string bytes;
  bytes.reserve(11 << 20);
  bytes += "[Big]\r\n";
  for (int i = 0; bytes.size() < (10u << 20); ++i) {
    bytes += "key" + std::to_string(i) + " = some value of a long line " + std::to_string(i * 7) +
             "\r\n";
  }
  // All keys but one present: the one absent key makes one save of the whole file.
  bytes += kMainHeader + "Port=8080\r\nTimer=10\r\nUseOnOff=0\r\nExitSec=60\r\n";
  app::TForm1& w = StartWith(bytes, /*show=*/false);
  EXPECT_EQ(w.Edit2.Text(), "8080");
  const IniDocument now = After();
  ExpectKept(before, now);
  EXPECT_TRUE(now.ValueExists(kMain, "UseExit"));  // the absent keys were added
}

TEST_F(BadSettingsTest, HundredThousandSections) {
  std::string bytes;
  // An earlier section of the main name: the last one counts, this one stays untouched.
  bytes += "[relaypanel]\r\nIPV4=127.0.0.98\r\nTimer=99\r\n";
  for (int i = 0; i < 100000; ++i) {
    bytes += "[S" + std::to_string(i) + "]\r\nk=" + std::to_string(i) + "\r\n";
  }
  bytes += kMainHeader + "Timer=5\r\nPort=80\r\nUseOnOff=0\r\nExitSec=60\r\n";
  app::TForm1& w = StartWith(bytes, /*show=*/false);
  EXPECT_EQ(w.Edit1.Text(), "127.0.0.51");
  EXPECT_EQ(w.RefUD.Position(), 5);
  const IniDocument now = After();
  ExpectKept(before, now);
  EXPECT_EQ(now.Sections().front().lines,
            (std::vector<std::string>{"IPV4=127.0.0.98", "Timer=99"}));
}

TEST_F(BadSettingsTest, VeryLongLines) {
  const std::string longValue(256 << 10, 'p');
  const std::string longName(256 << 10, 'N');
  const std::string noEquals(512 << 10, 'q');
  const std::string bytes = "[" + longName + "]\r\n" + noEquals + "\r\n" + longName + "=v\r\n" +
                            kMainHeader + "Port=" + longValue + "\r\n" + std::string(1 << 20, ' ') +
                            "Timer=9" + std::string(1 << 20, '\t') + "\r\n";
  app::TForm1& w = StartWith(bytes);
  EXPECT_EQ(w.Edit2.Text(), longValue);
  EXPECT_EQ(w.RefUD.Position(), 9);
  ExpectKept(before, After());
  CloseAndExpectKept();
  EXPECT_EQ(After().ReadValue(kMain, "Port"), longValue);
}
