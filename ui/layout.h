#pragma once

#include <windows.h>

#include <span>

// The window's controls as data: one row per control, in pixels at 96 DPI,
// in the order of the keyboard (controls without a place come last).
enum class ControlKind { OptionButton, Picture };

struct ControlRow {
    ControlKind kind;
    const wchar_t* name; // the control's name, "Option1(0)"
    int id;              // its child-window identifier
    RECT bounds;         // left, top, right, bottom in the client area
    const wchar_t* text;
};

constexpr int kOption1Id = 100; // Option1(i) has the identifier kOption1Id + i
constexpr int kPicture1Id = 200;

constexpr int kClientWidth = 331;
constexpr int kClientHeight = 391;

std::span<const ControlRow> Form1Layout();
