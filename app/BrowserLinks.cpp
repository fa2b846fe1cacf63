// The three browser links: the controller's web control page and the two home pages.
#include <string>

#include "app/MainForm.h"

namespace app {

namespace {

constexpr const char* kLaunchErrorCaption = "エラー";
constexpr const char* kLaunchErrorText = "の起動に失敗しました。";

}  // namespace

void TForm1::SpeedButton2Click(controls::Control&) {
  // The boxes as they hold them now, not DeviceAddress: nothing trimmed or escaped.
  OpenURL("http://" + Edit1.Text() + ":" + Edit2.Text());
}

void TForm1::Velmora1Click(controls::Control&) {
  OpenURL(kVelmoraHomePage);
}

void TForm1::AVIOSYS1Click(controls::Control&) {
  OpenURL(kAviosysHomePage);
}

bool TForm1::OpenURL(const std::string& url) {
  bool ok = false;
  try {
    ok = platform.OpenUrl(url);
  } catch (...) {
    // A launcher that fails in any way is a refused launch, reported below.
    ok = false;
  }
  if (!ok) {
    // Two carriage returns: the URL, an empty line, then the sentence.
    platform.ShowMessage(kLaunchErrorCaption, MessageIcon::Error, url + "\r\r" + kLaunchErrorText);
  }
  return ok;
}

}  // namespace app
