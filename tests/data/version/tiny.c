/* The smallest program the tests need: only its resources are ever read. */
void __stdcall Entry(void) {}
