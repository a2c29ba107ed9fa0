// PLACEHOLDER: the virtual radio is being written.
int main() { return 1; }
