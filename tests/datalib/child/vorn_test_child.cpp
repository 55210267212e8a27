// A stand-in for an outside program on Windows, where the tests cannot start
// shell scripts:
//   args CODE ARG...  writes the ARGs, each followed by "|", to out.txt in its
//                     working directory and ends with exit code CODE
//   hang              starts "sleep" of itself, writes that child's process id
//                     to child.pid and sleeps 30 s
//   sleep             sleeps 30 s

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>

#include <windows.h>

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "args" && argc > 2) {
    std::ofstream out("out.txt", std::ios::binary);
    for (int i = 3; i < argc; ++i) out << argv[i] << '|';
    return std::atoi(argv[2]);
  }
  if (mode == "hang") {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring line = L"\"" + std::wstring(self) + L"\" sleep";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(self, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) return 9;
    std::ofstream("child.pid") << info.dwProcessId;
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
  }
  if (mode == "hang" || mode == "sleep") {
    std::this_thread::sleep_for(std::chrono::seconds(30));
    return 0;
  }
  return 8;
}
