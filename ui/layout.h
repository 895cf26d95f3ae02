#pragma once

#include <windows.h>

#include <span>

#include "app/form_colours.h"

// The window's controls as data: one row per control, in the order the form
// defines them, with rectangles in pixels at 96 DPI. Everything the window
// shows is created from this table, so it can be read and checked in one place.
enum class ControlKind { OptionButton, Picture, TextBox, Image, Shape, Label };

// The faces and sizes of the form; Default is the window's own font.
enum class FontRole { Default, Credit, Heading, Title };

struct ControlRow {
    ControlKind kind;
    const wchar_t* name; // "Option1(0)"
    int id;              // the child window's identifier; 0 for the frames, which are drawn
    RECT bounds;         // left, top, right, bottom in the client area at 96 DPI
    const wchar_t* text;
    FontRole font;
    ColourRole colour; // which of the window's colours its text or outline takes
    int tabIndex;      // place in the keyboard order, kNoTab for controls without one
};

constexpr int kNoTab = -1;
constexpr int kOption1Id = 100; // Option1(i) is kOption1Id + i
constexpr int kPicture1Id = 200;
constexpr int kText1Id = 300;  // Text1 is kText1Id + 1 ... Text10 is kText1Id + 10
constexpr int kLabel1Id = 400; // Label1 is kLabel1Id + 1 ...
constexpr int kImage1Id = 500;
constexpr int kOptionCount = 4;
constexpr int kTextBoxCount = 10;

constexpr int kClientWidth = 331;
constexpr int kClientHeight = 391;
constexpr int kFrameOutline = 3;  // Shape1 and Shape2, in pixels at 96 DPI
constexpr int kProgramIconId = 1; // the icon group in the executable's resources

std::span<const ControlRow> Form1Layout();

// The row of a child window's identifier, or nullptr.
const ControlRow* FindRow(int id);
