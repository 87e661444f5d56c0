// Entry point: replaced by the shell's start-up once it exists.
int main() { return 0; }
