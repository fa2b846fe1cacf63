#include "settings/IniFileIO.h"

namespace settings {

std::string OpenErrorMessage(const std::string& file, const std::string& reason) {
  return "ファイル \"" + FullPath(file) + "\". " + reason + " は開けません";
}

std::string CreateErrorMessage(const std::string& file, const std::string& reason) {
  return "ファイル \"" + FullPath(file) + "\". " + reason + " を作成できません";
}

std::string WriteErrorMessage() {
  return "ストリームへの書き込みエラー";
}

}  // namespace settings
