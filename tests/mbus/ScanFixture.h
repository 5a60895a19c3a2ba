#pragma once
// What the scan engine's tests share: an engine made quick for loopback
// peers, the program-wide slave lists, and waiting for a condition.

#include <functional>
#include <memory>

class TMBusScanDecode;

// Polls Done every millisecond until it holds; false after Milliseconds.
bool Wait_For(const std::function<bool()>& Done, int Milliseconds = 10000);

// An engine whose steps follow each other at once and whose pauses are left
// out (answers come at once from a loopback peer), its run event set.
std::unique_ptr<TMBusScanDecode> Fast_Engine();

// Makes both slave lists empty, and frees them with their meters.
void Make_Slave_Lists();
void Free_Slave_Lists();
