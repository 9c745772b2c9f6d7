#pragma once
// Drawing resources that release themselves: a paint context (BeginPaint to
// EndPaint) and a solid brush.
#include <windows.h>

class CPaintDC {
public:
    explicit CPaintDC(HWND window) : window_(window) { hdc = BeginPaint(window, &paint_); }
    ~CPaintDC() { EndPaint(window_, &paint_); }
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;

    HDC hdc;

private:
    HWND window_;
    PAINTSTRUCT paint_;
};

class CBrush {
public:
    explicit CBrush(COLORREF colour) : handle(CreateSolidBrush(colour)) {}
    ~CBrush()
    {
        if (handle) DeleteObject(handle);
    }
    CBrush(const CBrush&) = delete;
    CBrush& operator=(const CBrush&) = delete;

    HBRUSH handle;
};
