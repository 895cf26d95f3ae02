#include "ui/layout.h"

namespace {

constexpr RECT At(int left, int top, int width, int height)
{
    return RECT{left, top, left + width, top + height};
}

using enum ControlKind;
using enum FontRole;
using enum ColourRole;

// The four option buttons are 21 pixels apart and 22 high: each overlaps the
// next by one pixel, as the form was drawn.
constexpr ControlRow kLayout[] = {
    {OptionButton, L"Option1(2)", kOption1Id + 2, At(35, 329, 148, 22), L"050131-***", Default, Option, 3},
    {OptionButton, L"Option1(1)", kOption1Id + 1, At(35, 308, 148, 22), L"05-01-31-01-01-01", Default, Option, 2},
    {OptionButton, L"Option1(0)", kOption1Id + 0, At(35, 287, 148, 22), L"050131010101  (Default)", Default, Option, 0},
    // Never drawn: screen readers and the tooltip speak it.
    {Picture, L"Picture1", kPicture1Id, At(224, 315, 32, 32), L"ファイルを選択してリネーム", Default, System, 5},
    {TextBox, L"Text10", kText1Id + 10, At(14, 651, 575, 22), L"Text10", Default, System, 15},
    {TextBox, L"Text9", kText1Id + 9, At(14, 623, 323, 22), L"Text9", Default, System, 14},
    {TextBox, L"Text8", kText1Id + 8, At(14, 595, 324, 19), L"Text8", Default, System, 13},
    {TextBox, L"Text7", kText1Id + 7, At(14, 574, 54, 17), L"Text7", Default, System, 12},
    {TextBox, L"Text6", kText1Id + 6, At(14, 553, 54, 18), L"Text6", Default, System, 11},
    {TextBox, L"Text5", kText1Id + 5, At(14, 532, 54, 20), L"Text5", Default, System, 10},
    {TextBox, L"Text4", kText1Id + 4, At(14, 511, 54, 18), L"Text4", Default, System, 9},
    {TextBox, L"Text3", kText1Id + 3, At(14, 490, 54, 18), L"Text3", Default, System, 8},
    {TextBox, L"Text2", kText1Id + 2, At(14, 469, 54, 18), L"Text2", Default, System, 7},
    {TextBox, L"Text1", kText1Id + 1, At(14, 441, 584, 20), L"Text1", Default, System, 6},
    {OptionButton, L"Option1(3)", kOption1Id + 3, At(35, 350, 148, 22), L"20050131-***", Default, Option, 4},
    {Image, L"Image1", kImage1Id, At(16, 15, 32, 32), L"", Default, System, kNoTab},
    {Shape, L"Shape2", 0, At(14, 224, 302, 153), L"", Default, Frame, kNoTab},
    {Label, L"Label10", kLabel1Id + 10, At(190, 41, 125, 15), L"© Nomichron Team", Credit, Accent, 24},
    {Label, L"Label5", kLabel1Id + 5, At(57, 9, 211, 29), L"Nomichron", Title, Accent, 23},
    {Shape, L"Shape1", 0, At(14, 59, 302, 152), L"", Default, Frame, kNoTab},
    {Label, L"Label9", kLabel1Id + 9, At(35, 67, 167, 15), L"★エクスプローラモード★", Heading, Accent, 22},
    {Label, L"Label8", kLabel1Id + 8, At(35, 255, 267, 29),
     L"リネームしたいファイルを右下のアイコンにドラック＆ドロップすると、選択した形式でリネームします。", Default, Body,
     21},
    {Label, L"Label7", kLabel1Id + 7, At(35, 231, 148, 15), L"★カスタマイズモード★", Heading, Accent, 20},
    {Label, L"Label6", kLabel1Id + 6, At(35, 147, 253, 15), L"test.jpg をドラック＆ドロップした時刻が", Default, Body,
     19},
    {Label, L"Label4", kLabel1Id + 4, At(35, 189, 190, 15), L"050131010101.jpg\u3000\u3000と変更されます。", Default,
     Body, 18},
    {Label, L"Label3", kLabel1Id + 3, At(35, 168, 246, 15), L"2005年1月31日1時1分1秒ならばファイル名は", Default, Body,
     17},
    {Label, L"Label2", kLabel1Id + 2, At(35, 126, 253, 15), L"ファイル名をドロップされた時刻にリネームします。",
     Default, Body, 16},
    {Label, L"Label1", kLabel1Id + 1, At(34, 91, 267, 29),
     L"リネームしたいファイルを Nomichron.exe のアイコンに直接ドラック＆ドロップしてお使いください。", Default, Body,
     1},
};

} // namespace

std::span<const ControlRow> Form1Layout()
{
    return kLayout;
}

const ControlRow* FindRow(int id)
{
    for (const ControlRow& row : kLayout) {
        if (row.id == id && id != 0)
            return &row;
    }
    return nullptr;
}
