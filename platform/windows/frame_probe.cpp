// Windows' frame around a top-level window as freeglut makes one, for the
// end-to-end tests run under Wine: prints how far the drawing area lies
// right of and below the frame's top-left corner, "x y", in pixels.
#include <windows.h>

#include <cstdio>

int main()
{
    // freeglut's style for a top-level window with its decorations.
    const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    const DWORD extendedStyle = 0;
    // A drawing area at the origin grows into the frame around it.
    RECT frame = {0, 0, 0, 0};
    if (!AdjustWindowRectEx(&frame, style, FALSE, extendedStyle)) {
        std::fprintf(stderr, "frame_probe: AdjustWindowRectEx failed\n");
        return 1;
    }
    std::printf("%ld %ld\n", -frame.left, -frame.top);
    return 0;
}
