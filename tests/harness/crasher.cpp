// Dereferences a null pointer: under Wine this would start the crash debugger unless the
// test prefix switches it off.
int main()
{
    volatile int* p = nullptr;
    *p = 1;
    return 0;
}
