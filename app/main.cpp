#include <cstdio>

int main()
{
    std::puts("ravelt");
    return 0;
}
