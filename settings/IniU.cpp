#include "settings/IniU.h"

#include "settings/IniDocument.h"
#include "settings/IniFileIO.h"

namespace settings {

namespace {

IniDocument Load(const std::string& file) {
  const std::optional<std::string> bytes = LoadFileBytes(file);
  return bytes ? IniDocument::Parse(*bytes) : IniDocument();
}

void Save(const std::string& file, const IniDocument& doc) {
  SaveFileBytes(file, doc.Serialize());
}

std::string BoolText(bool value) {
  return value ? "1" : "0";
}

}  // namespace

bool IniCreate(const std::string& file) {
  // An existing file must be readable, but is never rewritten.
  if (!LoadFileBytes(file)) CreateEmptyFile(file);
  return FileExists(file);
}

bool IniValueExists(const std::string& file, const std::string& section, const std::string& key) {
  return Load(file).ValueExists(section, key);
}

// Each read loads the file, asks whether the key exists (a second load), and writes the
// default when it does not, so the file ends up holding every key the program reads.
std::string IniReadString(const std::string& file, const std::string& section,
                          const std::string& key, const std::string& defaultValue) {
  const IniDocument doc = Load(file);
  if (!IniValueExists(file, section, key)) IniWriteString(file, section, key, defaultValue);
  return doc.ReadValue(section, key).value_or(defaultValue);
}

std::int32_t IniReadInteger(const std::string& file, const std::string& section,
                            const std::string& key, std::int32_t defaultValue) {
  const IniDocument doc = Load(file);
  if (!IniValueExists(file, section, key)) IniWriteInteger(file, section, key, defaultValue);
  const std::optional<std::string> text = doc.ReadValue(section, key);
  return text ? ParseIniInteger(*text, defaultValue) : defaultValue;
}

bool IniReadBool(const std::string& file, const std::string& section, const std::string& key,
                 bool defaultValue) {
  const IniDocument doc = Load(file);
  if (!IniValueExists(file, section, key)) IniWriteBool(file, section, key, defaultValue);
  const std::optional<std::string> text = doc.ReadValue(section, key);
  return text ? ParseIniInteger(*text, defaultValue ? 1 : 0) != 0 : defaultValue;
}

bool IniWriteString(const std::string& file, const std::string& section, const std::string& key,
                    const std::string& value) {
  IniDocument doc = Load(file);
  doc.SetValue(section, key, value);
  Save(file, doc);
  return true;
}

bool IniWriteInteger(const std::string& file, const std::string& section, const std::string& key,
                     std::int32_t value) {
  return IniWriteString(file, section, key, FormatIniInteger(value));
}

bool IniWriteBool(const std::string& file, const std::string& section, const std::string& key,
                  bool value) {
  return IniWriteString(file, section, key, BoolText(value));
}

}  // namespace settings
