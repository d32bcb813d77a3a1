// package_probe: what the installer tests need to see inside Wine.
//   wait-window CLASS EXE MS   waits until a visible top-level window of CLASS
//                              belongs to a process started from EXE
//   close-window CLASS MS      closes that window and waits for its process to end
//   shortcut-target LNK        prints the path a shell link points to
//   click-button TEXT MS       waits for a visible, enabled button or check box
//                              whose caption (without "&") starts with TEXT and
//                              clicks it
// Exit code 0 on success, 1 on failure or time-out (with a message on stderr).
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <cstdio>
#include <cwchar>
#include <memory>
#include <string>

namespace {

struct HandleCloser {
  void operator()(HANDLE h) const { CloseHandle(h); }
};
using Handle = std::unique_ptr<void, HandleCloser>;

void PrintUtf8(FILE* to, const std::wstring& text) {
  int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string out(n > 0 ? n - 1 : 0, '\0');
  if (n > 1) WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out.data(), n, nullptr, nullptr);
  std::fputs(out.c_str(), to);
  std::fputc('\n', to);
}

std::wstring ProcessImage(DWORD pid) {
  Handle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
  if (!process) return {};
  wchar_t path[MAX_PATH * 2];
  DWORD size = MAX_PATH * 2;
  if (!QueryFullProcessImageNameW(process.get(), 0, path, &size)) return {};
  return path;
}

// The first visible top-level window of the class, optionally of a process
// started from exe.
HWND FindProgramWindow(const wchar_t* cls, const wchar_t* exe) {
  for (HWND w = FindWindowExW(nullptr, nullptr, cls, nullptr); w; w = FindWindowExW(nullptr, w, cls, nullptr)) {
    if (!IsWindowVisible(w)) continue;
    if (!exe) return w;
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (_wcsicmp(ProcessImage(pid).c_str(), exe) == 0) return w;
  }
  return nullptr;
}

int WaitWindow(const wchar_t* cls, const wchar_t* exe, DWORD ms) {
  DWORD start = GetTickCount();
  while (!FindProgramWindow(cls, exe)) {
    if (GetTickCount() - start > ms) {
      PrintUtf8(stderr, std::wstring(L"no visible ") + cls + L" window of " + exe);
      return 1;
    }
    Sleep(50);
  }
  return 0;
}

int CloseWindow(const wchar_t* cls, DWORD ms) {
  HWND w = FindProgramWindow(cls, nullptr);
  if (!w) {
    PrintUtf8(stderr, std::wstring(L"no visible ") + cls + L" window");
    return 1;
  }
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  Handle process(OpenProcess(SYNCHRONIZE, FALSE, pid));
  PostMessageW(w, WM_CLOSE, 0, 0);
  if (!process || WaitForSingleObject(process.get(), ms) != WAIT_OBJECT_0) {
    PrintUtf8(stderr, std::wstring(L"the process of ") + cls + L" did not end");
    return 1;
  }
  return 0;
}

int ShortcutTarget(const wchar_t* lnk) {
  if (FAILED(CoInitialize(nullptr))) return 1;
  int result = 1;
  IShellLinkW* link = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                 reinterpret_cast<void**>(&link)))) {
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
      wchar_t target[MAX_PATH] = L"";
      if (SUCCEEDED(file->Load(lnk, STGM_READ)) && SUCCEEDED(link->GetPath(target, MAX_PATH, nullptr, 0))) {
        PrintUtf8(stdout, target);
        result = 0;
      }
      file->Release();
    }
    link->Release();
  }
  CoUninitialize();
  if (result) PrintUtf8(stderr, std::wstring(L"cannot read the shortcut ") + lnk);
  return result;
}

struct ButtonSearch {
  std::wstring prefix;
  HWND found = nullptr;
};

BOOL CALLBACK MatchButton(HWND w, LPARAM param) {
  auto* search = reinterpret_cast<ButtonSearch*>(param);
  wchar_t cls[32] = L"", text[256] = L"";
  GetClassNameW(w, cls, 32);
  if (_wcsicmp(cls, L"Button") != 0 || !IsWindowVisible(w) || !IsWindowEnabled(w)) return TRUE;
  GetWindowTextW(w, text, 256);
  std::wstring caption;
  for (const wchar_t* c = text; *c; ++c)
    if (*c != L'&') caption += *c;
  if (caption.compare(0, search->prefix.size(), search->prefix) != 0) return TRUE;
  search->found = w;
  return FALSE;
}

BOOL CALLBACK SearchTopLevel(HWND w, LPARAM param) {
  if (IsWindowVisible(w)) EnumChildWindows(w, MatchButton, param);
  return reinterpret_cast<ButtonSearch*>(param)->found == nullptr;
}

int ClickButton(const wchar_t* prefix, DWORD ms) {
  DWORD start = GetTickCount();
  ButtonSearch search{prefix};
  for (;;) {
    EnumWindows(SearchTopLevel, reinterpret_cast<LPARAM>(&search));
    if (search.found) break;
    if (GetTickCount() - start > ms) {
      PrintUtf8(stderr, std::wstring(L"no button ") + prefix);
      return 1;
    }
    Sleep(50);
  }
  DWORD_PTR result = 0;
  SendMessageTimeoutW(search.found, BM_CLICK, 0, 0, SMTO_NORMAL, 5000, &result);
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::wstring verb = argc > 1 ? argv[1] : L"";
  if (verb == L"wait-window" && argc == 5) return WaitWindow(argv[2], argv[3], _wtoi(argv[4]));
  if (verb == L"close-window" && argc == 4) return CloseWindow(argv[2], _wtoi(argv[3]));
  if (verb == L"shortcut-target" && argc == 3) return ShortcutTarget(argv[2]);
  if (verb == L"click-button" && argc == 4) return ClickButton(argv[2], _wtoi(argv[3]));
  std::fputs("usage: package_probe wait-window CLASS EXE MS | close-window CLASS MS | shortcut-target LNK |"
             " click-button TEXT MS\n", stderr);
  return 2;
}
