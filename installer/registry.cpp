// The ".QVX" document type, the entry in the list of installed software, and
// their removal.
#include <windows.h>

#include "installer/installer.h"

namespace {

// The default value of a key under root; empty when it has none.
std::string defaultValue(HKEY root, const char* subkey) {
  char value[500] = {};
  LONG size = sizeof value;
  if (RegQueryValueA(root, subkey, value, &size) != ERROR_SUCCESS) return {};
  value[sizeof value - 1] = '\0';
  return value;
}

bool keyExists(HKEY root, const char* subkey) {
  HKEY key;
  if (RegOpenKeyExA(root, subkey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

void setString(HKEY key, const std::string& name, const std::string& data) {
  RegSetValueExA(key, name.empty() ? nullptr : name.c_str(), 0, REG_SZ,
                 reinterpret_cast<const BYTE*>(data.c_str()), static_cast<DWORD>(data.size() + 1));
}

// Creates the key (and any missing key above it) and sets its default value.
void writeDefault(const RegistryEntry& entry) {
  HKEY key;
  if (RegCreateKeyExA(HKEY_CLASSES_ROOT, entry.key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
    return;
  setString(key, "", entry.data);
  RegCloseKey(key);
}

bool userKeepsOtherProgram(const std::string& otherType) {
  std::string question = associationQuestion(otherType, installer.german);
  return MessageBoxA(nullptr, question.c_str(), text(InstallText::InstallCaption).c_str(),
                     MB_YESNO) == IDNO;
}

HKEY openSubkey(HKEY parent, const char* name) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(parent, name, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return nullptr;
  return key;
}

}  // namespace

void registerFileType(const InstallPlan& plan) {
  bool takeExtension = true;
  if (keyExists(HKEY_CLASSES_ROOT, kExtension)) {
    std::string current = defaultValue(HKEY_CLASSES_ROOT, kExtension);
    if (!associationIsOurs(current)) takeExtension = !userKeepsOtherProgram(current);
  }
  if (takeExtension) writeDefault(plan.extension);
  // The program key is written even when ".QVX" stays with another program.
  for (const RegistryEntry& entry : plan.programKey) writeDefault(entry);
}

void writeUninstallEntry(const InstallPlan& plan) {
  HKEY list = openSubkey(HKEY_LOCAL_MACHINE, kUninstallKey);
  if (!list) return;  // no rights for the list: no entry, and no message
  HKEY entry = openSubkey(list, kUninstallSubkey);
  if (!entry) {
    HKEY created;
    if (RegCreateKeyExA(list, kUninstallSubkey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                        nullptr, &created, nullptr) == ERROR_SUCCESS)
      RegCloseKey(created);
    entry = openSubkey(list, kUninstallSubkey);
  }
  if (!entry) {
    MessageBoxA(nullptr, text(InstallText::UninstallKeyFailed).c_str(),
                text(InstallText::InstallCaption).c_str(), MB_OK);
    RegCloseKey(list);
    return;
  }
  for (const RegistryValue& value : plan.uninstallValues) setString(entry, value.name, value.data);
  RegCloseKey(entry);
  RegCloseKey(list);
}

void removeRegistryEntries() {
  HKEY type = openSubkey(HKEY_CLASSES_ROOT, kTypeName);
  if (!type) {
    MessageBoxA(nullptr, text(InstallText::RegistryNotFound).c_str(),
                installer.messageCaption.c_str(), MB_OK);
    return;
  }
  // An extension that another program has taken over stays.
  if (keyExists(HKEY_CLASSES_ROOT, kExtension) &&
      extensionToRemove(defaultValue(HKEY_CLASSES_ROOT, kExtension)))
    RegDeleteKeyA(HKEY_CLASSES_ROOT, kExtension);

  // Keys with subkeys cannot be deleted: from the leaves up.
  RegDeleteKeyA(type, "DefaultIcon");
  if (HKEY shell = openSubkey(type, "Shell")) {
    if (HKEY open = openSubkey(shell, "open")) {
      RegDeleteKeyA(open, "command");
      RegCloseKey(open);
      RegDeleteKeyA(shell, "open");
    }
    RegCloseKey(shell);
  }
  RegDeleteKeyA(type, "Shell");
  RegCloseKey(type);
  RegDeleteKeyA(HKEY_CLASSES_ROOT, kTypeName);

  if (HKEY list = openSubkey(HKEY_LOCAL_MACHINE, kUninstallKey)) {
    RegDeleteKeyA(list, kUninstallSubkey);
    RegCloseKey(list);
  }
}
