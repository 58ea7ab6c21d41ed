// Starts and ends, linked statically as dyvern-cli is: what any process
// costs on this machine, the floor under every whole-process time.
int main() { return 0; }
