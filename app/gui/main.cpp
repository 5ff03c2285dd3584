// TODO(issue 6): the desktop program.
int main() { return 0; }
