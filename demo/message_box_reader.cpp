// Reads the launcher's message boxes as a user would, and presses OK on each.
//
//   message_box_reader RECORD_DIR STOP_FILE SECONDS
//
// Watches for windows captioned "POS Audit to Video Interface" until STOP_FILE exists or SECONDS
// have passed. For each box it writes RECORD_DIR\box-NNN.txt (the text as the box shows it, byte
// for byte) and RECORD_DIR\box-NNN.info (the text control's class and the visible buttons), then
// presses OK and waits for the box to close. It runs for a whole Wine session (the demo's, or the
// end-to-end tests'), which also keeps Wine's desktop process, and with it the mouse pointer, in
// place between launches; once the desktop is up it writes RECORD_DIR\ready.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "helper_support.h"

namespace {

constexpr char kCaption[] = "POS Audit to Video Interface";
// The identifier of a message box's text control.
constexpr int kMessageTextId = 0xFFFF;

std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

// Asked of the window itself (WM_GETTEXT), as the box belongs to another process.
std::string TextOf(HWND window) {
  DWORD_PTR length = 0;
  if (SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length) == 0) {
    return "";
  }
  std::vector<char> text(length + 1);
  DWORD_PTR copied = 0;
  SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                      SMTO_ABORTIFHUNG, 2000, &copied);
  return std::string(text.data(), copied);
}

BOOL CALLBACK AddVisibleButton(HWND child, LPARAM buttons) {
  if (IsWindowVisible(child) && lstrcmpiA(ClassOf(child).c_str(), "Button") == 0) {
    auto& list = *reinterpret_cast<std::string*>(buttons);
    if (!list.empty()) list += ',';
    list += std::to_string(GetDlgCtrlID(child)) + ":" + TextOf(child);
  }
  return TRUE;
}

bool Exists(const char* path) { return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: message_box_reader RECORD_DIR STOP_FILE SECONDS\n");
    return 2;
  }
  const std::string recordDir = argv[1];
  const char* stopFile = argv[2];
  const ULONGLONG deadline = GetTickCount64() + std::strtoull(argv[3], nullptr, 10) * 1000;

  // The desktop is made on first use; a pointer placed before that would be moved to its centre.
  GetDesktopWindow();
  if (!pos_video_demo::WriteWholeFile(recordDir + "\\ready", "")) {
    std::fprintf(stderr, "message_box_reader: cannot write to %s\n", recordDir.c_str());
    return 1;
  }

  int count = 0;
  while (GetTickCount64() < deadline && !Exists(stopFile)) {
    HWND box = FindWindowA(nullptr, kCaption);
    HWND text = box != nullptr ? GetDlgItem(box, kMessageTextId) : nullptr;
    // A box is complete once shown: its controls are filled in before that.
    if (text == nullptr || !IsWindowVisible(box)) {
      Sleep(20);
      continue;
    }
    char number[8];
    std::snprintf(number, sizeof number, "%03d", ++count);
    const std::string record = recordDir + "\\box-" + number;
    std::string buttons;
    EnumChildWindows(box, AddVisibleButton, reinterpret_cast<LPARAM>(&buttons));
    // Written before OK is pressed: once the launcher has ended, its boxes are all on record.
    if (!pos_video_demo::WriteWholeFile(record + ".txt", TextOf(text)) ||
        !pos_video_demo::WriteWholeFile(record + ".info",
                                        "class=" + ClassOf(text) + "\nbuttons=" + buttons + "\n")) {
      std::fprintf(stderr, "message_box_reader: cannot write %s\n", record.c_str());
    }
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    const ULONGLONG closeBy = GetTickCount64() + 10000;
    while (IsWindow(box) && GetTickCount64() < closeBy) Sleep(10);
  }
  return 0;
}
