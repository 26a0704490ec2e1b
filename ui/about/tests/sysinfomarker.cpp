// Stands in for the system information tool: writes its command line into
// "started" beside itself at once, and "finished" three seconds later.
#include <windows.h>

#include <cstring>
#include <string>

namespace {

void writeFile(const std::string &path, const char *text)
{
    const HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    ::WriteFile(file, text, static_cast<DWORD>(std::strlen(text)), &written, nullptr);
    ::CloseHandle(file);
}

} // namespace

int main()
{
    std::string self(MAX_PATH, '\0');
    self.resize(::GetModuleFileNameA(nullptr, self.data(), MAX_PATH));
    const std::string folder = self.substr(0, self.rfind('\\') + 1);
    writeFile(folder + "started", ::GetCommandLineA());
    ::Sleep(3000);
    writeFile(folder + "finished", "");
    return 0;
}
