/* Plays the screensaver control panel's part for Preview mode: a top-level
 * window with a client area the size of the panel's preview, the saver
 * started inside it with "/p <handle>" as the panel starts it, and checks of
 * what the saver then does: its child window, the picture it shows, the CPU
 * time it takes while it waits, how it ends on WM_CLOSE and on
 * TerminateProcess, and /p without a number; and the saver's dialog template
 * made in this process, where its pixels can be read back.
 *
 * Usage: preview_host.exe SCREENSAVER PREVIEW_BMP
 * Prints one PASS or FAIL line per check (and INFO lines); the exit code is
 * the number of failed checks. */
#include <windows.h>
#include <tlhelp32.h>

#include <stdio.h>
#include <string.h>

#define CLIENT_WIDTH 152
#define CLIENT_HEIGHT 112
#define HOST_X 200
#define HOST_Y 150
/* A colour the picture does not have, so that any pixel of it shows through. */
#define BACKGROUND RGB(255, 0, 255)

static int failures = 0;
static const char* saver_path;

static void check(int ok, const char* what) {
  printf("%s: %s\n", ok ? "PASS" : "FAIL", what);
  fflush(stdout);
  if (!ok) ++failures;
}

static void info(const char* text) __attribute__((unused));
static void info(const char* text) {
  printf("INFO: %s\n", text);
  fflush(stdout);
}

static LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}

/* Handles the host's own messages for the given time; the saver's window is
 * a child of this one, so the host keeps its queue moving as a panel does. */
static void pump_for(DWORD milliseconds) {
  const DWORD start = GetTickCount();
  for (;;) {
    MSG message;
    while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    const DWORD passed = GetTickCount() - start;
    if (passed >= milliseconds) return;
    MsgWaitForMultipleObjects(0, NULL, FALSE, milliseconds - passed > 20 ? 20 : milliseconds - passed,
                              QS_ALLINPUT);
  }
}

/* Waits for the process to end, pumping meanwhile. True when it ended. */
static int wait_process(HANDLE process, DWORD milliseconds) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (WaitForSingleObject(process, 0) == WAIT_OBJECT_0) return 1;
    if (GetTickCount() - start >= milliseconds) return 0;
    pump_for(10);
  }
}

static int start_saver(const char* arguments, PROCESS_INFORMATION* process) {
  char line[1024];
  STARTUPINFOA startup;
  snprintf(line, sizeof line, "\"%s\" %s", saver_path, arguments);
  memset(&startup, 0, sizeof startup);
  startup.cb = sizeof startup;
  memset(process, 0, sizeof *process);
  if (!CreateProcessA(NULL, line, NULL, NULL, FALSE, 0, NULL, NULL, &startup, process)) {
    printf("INFO: CreateProcessA failed for %s (error %lu)\n", line, GetLastError());
    return 0;
  }
  printf("INFO: started %s\n", line);
  fflush(stdout);
  return 1;
}

static void end_saver(PROCESS_INFORMATION* process) {
  if (!process->hProcess) return;
  if (WaitForSingleObject(process->hProcess, 0) != WAIT_OBJECT_0) TerminateProcess(process->hProcess, 99);
  WaitForSingleObject(process->hProcess, 5000);
  CloseHandle(process->hThread);
  CloseHandle(process->hProcess);
  memset(process, 0, sizeof *process);
}

/* The saver's child of the host window, once it has appeared (or null). */
static HWND wait_for_child(HWND host, DWORD processId, DWORD milliseconds) {
  const DWORD start = GetTickCount();
  for (;;) {
    HWND child = GetWindow(host, GW_CHILD);
    for (; child; child = GetWindow(child, GW_HWNDNEXT)) {
      DWORD owner = 0;
      GetWindowThreadProcessId(child, &owner);
      if (owner == processId) return child;
    }
    if (GetTickCount() - start >= milliseconds) return NULL;
    pump_for(50);
  }
}

static double cpu_seconds(HANDLE process) {
  FILETIME created, ended, kernel, user;
  if (!GetProcessTimes(process, &created, &ended, &kernel, &user)) return -1.0;
  ULARGE_INTEGER k, u;
  k.LowPart = kernel.dwLowDateTime;
  k.HighPart = kernel.dwHighDateTime;
  u.LowPart = user.dwLowDateTime;
  u.HighPart = user.dwHighDateTime;
  return (double)(k.QuadPart + u.QuadPart) / 1e7;
}

static int count_saver_processes(void) {
  const char* name = strrchr(saver_path, '\\');
  name = name ? name + 1 : saver_path;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return -1;
  PROCESSENTRY32 entry;
  entry.dwSize = sizeof entry;
  int count = 0;
  for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
    if (lstrcmpiA(entry.szExeFile, name) == 0) ++count;
  CloseHandle(snapshot);
  return count;
}

static int close_to(COLORREF a, COLORREF b) {
  const int tolerance = 12;
  return abs(GetRValue(a) - GetRValue(b)) <= tolerance && abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
         abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

/* The saver's picture control: it holds a bitmap, is as large as the picture
 * (not scaled to the control's place in the template) and starts at the
 * host's top-left, give or take its sunken edge. */
static void check_picture_control(HWND host, HWND dialog) {
  char text[256];
  HWND control = FindWindowExA(dialog, NULL, "Static", NULL);
  check(control != NULL, "/p HWND: the child holds a static picture control");
  if (!control) return;
  const LONG style = GetWindowLongA(control, GWL_STYLE);
  snprintf(text, sizeof text, "/p HWND: the control is a real-size, sunken bitmap (style 0x%08lx)",
           (unsigned long)style);
  check((style & SS_TYPEMASK) == SS_BITMAP && (style & SS_REALSIZEIMAGE) && (style & SS_SUNKEN), text);
  check(SendMessageA(control, STM_GETIMAGE, IMAGE_BITMAP, 0) != 0, "/p HWND: the control has its bitmap");
  RECT client, bounds;
  GetClientRect(control, &client);
  GetWindowRect(control, &bounds);
  MapWindowPoints(HWND_DESKTOP, host, (POINT*)&bounds, 2);
  snprintf(text, sizeof text,
           "/p HWND: the control takes the picture's own size 154x112 at the host's top-left (%ldx%ld at %ld,%ld)",
           bounds.right - bounds.left, bounds.bottom - bounds.top, bounds.left, bounds.top);
  check(bounds.right - bounds.left == 154 && bounds.bottom - bounds.top == 112 && abs(bounds.left) <= 3 &&
            abs(bounds.top) <= 3,
        text);
}

/* What the screen shows in the host's client area. Wine keeps a child window
 * of another process out of the host's own window surface, so under Wine the
 * host's background stays on the screen there; this is reported, not
 * checked. The template case below checks the pixels. */
static void report_screen(HWND host) {
  HDC screen = GetDC(NULL);
  POINT origin = {0, 0};
  ClientToScreen(host, &origin);
  int background = 0;
  for (int y = 0; y < CLIENT_HEIGHT; ++y)
    for (int x = 0; x < CLIENT_WIDTH; ++x)
      if (close_to(GetPixel(screen, origin.x + x, origin.y + y), BACKGROUND)) ++background;
  ReleaseDC(NULL, screen);
  printf("INFO: /p HWND: %d of %d pixels of the host's client area show its background on the screen\n",
         background, CLIENT_WIDTH * CLIENT_HEIGHT);
  fflush(stdout);
}

/* Compares the host's client area, read from the screen, with the picture
 * file: the picture may sit a pixel or two off (the sunken edge and the
 * control's place in dialog units), so the best of a few offsets counts. */
static void check_picture(HWND host, const char* bitmapPath) {
  HBITMAP picture = (HBITMAP)LoadImageA(NULL, bitmapPath, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE);
  check(picture != NULL, "the preview picture file can be read by the host");
  if (!picture) return;
  BITMAP size;
  GetObjectA(picture, sizeof size, &size);
  HDC screen = GetDC(NULL);
  HDC pictureDC = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(pictureDC, picture);
  POINT origin = {0, 0};
  ClientToScreen(host, &origin);

  /* The client area as it is on the screen. */
  static COLORREF shown[CLIENT_HEIGHT][CLIENT_WIDTH];
  int backgroundPixels = 0;
  COLORREF first = GetPixel(screen, origin.x, origin.y);
  int varies = 0;
  for (int y = 0; y < CLIENT_HEIGHT; ++y)
    for (int x = 0; x < CLIENT_WIDTH; ++x) {
      shown[y][x] = GetPixel(screen, origin.x + x, origin.y + y);
      if (close_to(shown[y][x], BACKGROUND)) ++backgroundPixels;
      if (!close_to(shown[y][x], first)) varies = 1;
    }

  int bestMatches = -1, bestDx = 0, bestDy = 0, samples = 0;
  for (int dy = -3; dy <= 3; ++dy)
    for (int dx = -3; dx <= 3; ++dx) {
      int matches = 0, count = 0;
      /* A grid of points well inside both the picture and the client area. */
      for (int y = 6; y < CLIENT_HEIGHT - 6; y += 5)
        for (int x = 6; x < CLIENT_WIDTH - 6; x += 5) {
          const int px = x - dx, py = y - dy;
          if (px < 0 || py < 0 || px >= size.bmWidth || py >= size.bmHeight) continue;
          ++count;
          if (close_to(shown[y][x], GetPixel(pictureDC, px, py))) ++matches;
        }
      if (matches > bestMatches) {
        bestMatches = matches;
        bestDx = dx;
        bestDy = dy;
        samples = count;
      }
    }
  SelectObject(pictureDC, old);
  DeleteDC(pictureDC);
  ReleaseDC(NULL, screen);
  DeleteObject(picture);

  char text[256];
  snprintf(text, sizeof text, "template: the client area is not the host's background (%d of %d pixels are)",
           backgroundPixels, CLIENT_WIDTH * CLIENT_HEIGHT);
  check(backgroundPixels < CLIENT_WIDTH * CLIENT_HEIGHT / 20, text);
  check(varies, "template: the client area shows a picture, not one flat colour");
  snprintf(text, sizeof text,
           "template: the picture (%ldx%ld) is shown unscaled at the top-left: %d of %d sample points match at offset (%d,%d)",
           size.bmWidth, size.bmHeight, bestMatches, samples, bestDx, bestDy);
  check(samples > 0 && bestMatches * 3 >= samples * 2, text);
}

static HWND make_host(int left, int top) {
  WNDCLASSA windowClass;
  memset(&windowClass, 0, sizeof windowClass);
  windowClass.lpfnWndProc = HostProc;
  windowClass.hInstance = GetModuleHandleA(NULL);
  windowClass.hbrBackground = CreateSolidBrush(BACKGROUND);
  windowClass.hCursor = LoadCursorA(NULL, (LPCSTR)IDC_ARROW);
  windowClass.lpszClassName = "GlimmerhallPreviewHost";
  static int registered = 0;
  if (!registered) registered = RegisterClassA(&windowClass) != 0;
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | WS_CLIPCHILDREN;
  RECT frame = {0, 0, CLIENT_WIDTH, CLIENT_HEIGHT};
  AdjustWindowRect(&frame, style, FALSE);
  HWND host = CreateWindowExA(0, windowClass.lpszClassName, "Preview host", style, left, top,
                              frame.right - frame.left, frame.bottom - frame.top, NULL, NULL,
                              windowClass.hInstance, NULL);
  if (host) {
    ShowWindow(host, SW_SHOW);
    UpdateWindow(host);
    pump_for(300);
  }
  return host;
}

/* The saver's own preview dialog template, made in a host window of this
 * process from the screensaver file's resources: here the screen shows what
 * the dialog paints, so the pixels are compared with the picture file. */
static void case_template(const char* bitmapPath) {
  HMODULE module = LoadLibraryExA(saver_path, NULL, LOAD_LIBRARY_AS_DATAFILE);
  check(module != NULL, "template: the screensaver's resources can be loaded");
  if (!module) return;
  HWND host = make_host(HOST_X + 250, HOST_Y);
  HWND dialog = CreateDialogParamA(module, MAKEINTRESOURCEA(126), host, NULL, 0);
  check(dialog != NULL, "template: dialog 126 is made as a child of the host");
  if (dialog) {
    ShowWindow(dialog, SW_SHOW);
    UpdateWindow(dialog);
    pump_for(500);
    check_picture(host, bitmapPath);
    printf("SHOT\n");
    fflush(stdout);
    pump_for(1500);
    DestroyWindow(dialog);
  }
  DestroyWindow(host);
  FreeLibrary(module);
}

/* The panel's ordinary case: the picture appears, waits, and WM_CLOSE ends it. */
static void case_shown_and_closed(HWND host) {
  char arguments[64], text[256];
  PROCESS_INFORMATION process;
  snprintf(arguments, sizeof arguments, "/p %lu", (unsigned long)(ULONG_PTR)host);
  if (!start_saver(arguments, &process)) {
    check(0, "/p HWND: the saver starts");
    return;
  }
  HWND child = wait_for_child(host, process.dwProcessId, 15000);
  check(child != NULL, "/p HWND: the saver makes a child window of the host");
  if (!child) {
    end_saver(&process);
    return;
  }
  pump_for(2000);

  RECT bounds;
  GetWindowRect(child, &bounds);
  MapWindowPoints(HWND_DESKTOP, host, (POINT*)&bounds, 2);
  snprintf(text, sizeof text, "/p HWND: the child sits at the host's client (0,0) (it is at %ld,%ld, %ldx%ld)",
           bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top);
  check(bounds.left == 0 && bounds.top == 0, text);
  const LONG style = GetWindowLongA(child, GWL_STYLE);
  snprintf(text, sizeof text, "/p HWND: the child is a visible child window without a caption (style 0x%08lx)",
           (unsigned long)style);
  check((style & WS_CHILD) && (style & WS_VISIBLE) && !(style & WS_CAPTION) && IsWindowVisible(child), text);
  check_picture_control(host, child);
  report_screen(host);

  const double before = cpu_seconds(process.hProcess);
  const DWORD startTicks = GetTickCount();
  pump_for(4000);
  const double after = cpu_seconds(process.hProcess);
  const double wall = (GetTickCount() - startTicks) / 1000.0;
  const double percent = 100.0 * (after - before) / wall;
  printf("CPU: %.3f\n", percent);
  snprintf(text, sizeof text, "/p HWND: the waiting saver takes under 1%% of a core (%.2f%% over %.1f s)",
           percent, wall);
  check(before >= 0.0 && after >= before && percent < 1.0, text);

  /* The caller may measure the saver from the outside now. */
  printf("WAITING\n");
  fflush(stdout);
  pump_for(3000);

  const DWORD closed = GetTickCount();
  PostMessageA(child, WM_CLOSE, 0, 0);
  const int ended = wait_process(process.hProcess, 2000);
  snprintf(text, sizeof text, "/p HWND: WM_CLOSE ends the saver within 2 s (took %lu ms)",
           (unsigned long)(GetTickCount() - closed));
  check(ended, text);
  if (ended) {
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    snprintf(text, sizeof text, "/p HWND: the exit code after WM_CLOSE is 0 (got %lu)", (unsigned long)code);
    check(code == 0, text);
    pump_for(200);
    check(!IsWindow(child) && GetWindow(host, GW_CHILD) == NULL, "/p HWND: the child is gone after WM_CLOSE");
  }
  end_saver(&process);
}

/* The panel ends a preview it no longer shows by terminating it. */
static void case_terminated(HWND host) {
  char arguments[64];
  PROCESS_INFORMATION process;
  snprintf(arguments, sizeof arguments, "/p %lu", (unsigned long)(ULONG_PTR)host);
  if (!start_saver(arguments, &process)) {
    check(0, "terminate: the saver starts");
    return;
  }
  HWND child = wait_for_child(host, process.dwProcessId, 15000);
  check(child != NULL, "terminate: the child window appears");
  pump_for(500);
  TerminateProcess(process.hProcess, 3);
  check(wait_process(process.hProcess, 5000), "terminate: the process ends");
  pump_for(500);
  check(GetWindow(host, GW_CHILD) == NULL && (!child || !IsWindow(child)),
        "terminate: no window is left behind in the host");
  end_saver(&process);
  char text[128];
  const int left = count_saver_processes();
  snprintf(text, sizeof text, "terminate: no saver process is left running (%d found)", left);
  check(left == 0, text);
}

/* Without a number the parent is 0, and a child dialog cannot be made. */
static void case_without_number(HWND host) {
  PROCESS_INFORMATION process;
  char text[128];
  if (!start_saver("/p", &process)) {
    check(0, "/p alone: the saver starts");
    return;
  }
  const DWORD start = GetTickCount();
  const int ended = wait_process(process.hProcess, 10000);
  snprintf(text, sizeof text, "/p alone: the saver ends by itself at once (took %lu ms)",
           (unsigned long)(GetTickCount() - start));
  check(ended, text);
  if (ended) {
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    snprintf(text, sizeof text, "/p alone: the exit code is 1 (got %lu)", (unsigned long)code);
    check(code == 1, text);
  }
  check(GetWindow(host, GW_CHILD) == NULL, "/p alone: no window appears in the host");
  end_saver(&process);
}

int main(int argc, char** argv) {
  if (argc != 3) {
    fprintf(stderr, "usage: preview_host SCREENSAVER PREVIEW_BMP\n");
    return 2;
  }
  saver_path = argv[1];
  HWND host = make_host(HOST_X, HOST_Y);
  check(host != NULL, "the host window is made");
  if (!host) return failures;
  RECT client;
  GetClientRect(host, &client);
  char text[128];
  snprintf(text, sizeof text, "the host's client area is %dx%d (got %ldx%ld)", CLIENT_WIDTH, CLIENT_HEIGHT,
           client.right, client.bottom);
  check(client.right == CLIENT_WIDTH && client.bottom == CLIENT_HEIGHT, text);
  POINT origin = {0, 0};
  ClientToScreen(host, &origin);
  printf("ORIGIN: %ld %ld\n", origin.x, origin.y);
  fflush(stdout);

  case_shown_and_closed(host);
  case_terminated(host);
  case_without_number(host);
  case_template(argv[2]);
  DestroyWindow(host);
  return failures;
}
