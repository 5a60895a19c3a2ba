#pragma once
// The windows of the program, created once at start-up in a fixed order and
// kept until it ends. The main window comes first: it makes the texts and
// the code that every later window takes when it is created.

class TApplication;

// Creates every window, owned by App; the first is App's main form.
void Create_Windows(TApplication& App);
