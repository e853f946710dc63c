#include <cstdio>
int main() { std::puts("quillomodel"); return 0; }
