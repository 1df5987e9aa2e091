// Reads a Windows shortcut (.lnk) through the shell's own IShellLink, as Explorer and the Start
// menu do, and prints what starting it would use: `shortcut_fields FILE.lnk` prints
// "target: PATH" and "working folder: PATH". Exit code 1 with a message when it cannot be read.
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <cstdio>
#include <string>

namespace {

std::string toUtf8(const wchar_t* text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 1) return {};
  std::string bytes(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes.data(), size, nullptr, nullptr);
  bytes.resize(static_cast<size_t>(size) - 1);
  return bytes;
}

int fail(const char* what, HRESULT result) {
  std::fprintf(stderr, "shortcut_fields: %s failed (0x%08lx)\n", what, static_cast<unsigned long>(result));
  return 1;
}

int printFields(const wchar_t* file) {
  IShellLinkW* link = nullptr;
  HRESULT result = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                    reinterpret_cast<void**>(&link));
  if (FAILED(result)) return fail("creating a shell link", result);
  IPersistFile* persisted = nullptr;
  result = link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persisted));
  if (SUCCEEDED(result)) result = persisted->Load(file, STGM_READ);
  int status = 0;
  wchar_t target[MAX_PATH] = {};
  wchar_t folder[MAX_PATH] = {};
  if (FAILED(result)) {
    status = fail("loading the shortcut", result);
  } else if (FAILED(result = link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH))) {
    status = fail("reading the target", result);
  } else if (FAILED(result = link->GetWorkingDirectory(folder, MAX_PATH))) {
    status = fail("reading the working folder", result);
  } else {
    std::printf("target: %s\nworking folder: %s\n", toUtf8(target).c_str(), toUtf8(folder).c_str());
  }
  if (persisted) persisted->Release();
  link->Release();
  return status;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: shortcut_fields FILE.lnk\n");
    return 2;
  }
  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
    std::fprintf(stderr, "shortcut_fields: cannot start COM\n");
    return 1;
  }
  const int status = printFields(argv[1]);
  CoUninitialize();
  return status;
}
