// Until the application exists: opens nothing yet, says where the device lives.
#include <cstdio>
#include <cstdlib>
int main()
{
    const char* home = std::getenv("OWEBOOK_HOME");
    std::printf("Owebook device folder: %s\n", home ? home : "(default)");
    return 0;
}
