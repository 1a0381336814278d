int swpUiStub() { return 0; }
