/* A small X client for the Linux end-to-end tests, written for them:
 *   x11_probe gamma-print        the first lit CRTC's gamma ramp, one line per
 *                                entry: index red green blue (after "size N")
 *   x11_probe gamma-calibrate    loads a ramp no power curve matches (three
 *                                different channels with a wiggle), as a
 *                                calibrated display has
 *   x11_probe window W H         makes and maps a W x H window, prints its id
 *                                in decimal, keeps it until SIGTERM, then
 *                                destroys it and prints "destroyed"
 */
#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>
#include <math.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static volatile sig_atomic_t ending = 0;
static void on_term(int sig) { (void)sig; ending = 1; }

static RRCrtc first_lit_crtc(Display* d, XRRScreenResources* res) {
  for (int i = 0; i < res->ncrtc; ++i) {
    XRRCrtcInfo* info = XRRGetCrtcInfo(d, res, res->crtcs[i]);
    int lit = info && info->mode != None && info->noutput > 0;
    if (info) XRRFreeCrtcInfo(info);
    if (lit && XRRGetCrtcGammaSize(d, res->crtcs[i]) > 1) return res->crtcs[i];
  }
  return 0;
}

static int gamma_command(Display* d, int calibrate) {
  XRRScreenResources* res = XRRGetScreenResourcesCurrent(d, DefaultRootWindow(d));
  if (!res) return 2;
  RRCrtc crtc = first_lit_crtc(d, res);
  if (!crtc) {
    fprintf(stderr, "no CRTC with a gamma ramp\n");
    return 3;
  }
  int size = XRRGetCrtcGammaSize(d, crtc);
  if (calibrate) {
    XRRCrtcGamma* g = XRRAllocGamma(size);
    for (int i = 0; i < size; ++i) {
      double x = (double)i / (size - 1);
      double r = 0.02 + 0.9 * x + 0.015 * sin(x * 19.0);
      g->red[i] = (unsigned short)(65535.0 * (r < 0 ? 0 : r > 1 ? 1 : r));
      g->green[i] = (unsigned short)(65535.0 * pow(x, 0.8));
      g->blue[i] = (unsigned short)(60000.0 * sqrt(x));
    }
    XRRSetCrtcGamma(d, crtc, g);
    XRRFreeGamma(g);
    XSync(d, False);
  } else {
    XRRCrtcGamma* g = XRRGetCrtcGamma(d, crtc);
    if (!g) return 4;
    printf("size %d\n", g->size);
    for (int i = 0; i < g->size; ++i) printf("%d %u %u %u\n", i, g->red[i], g->green[i], g->blue[i]);
    XRRFreeGamma(g);
  }
  XRRFreeScreenResources(res);
  return 0;
}

static int window_command(Display* d, int w, int h) {
  int screen = DefaultScreen(d);
  Window win = XCreateSimpleWindow(d, RootWindow(d, screen), 0, 0, (unsigned)w, (unsigned)h, 0,
                                   BlackPixel(d, screen), 0x404040);
  XStoreName(d, win, "preview host");
  XMapRaised(d, win);
  XSync(d, False);
  printf("%lu\n", (unsigned long)win);
  fflush(stdout);
  signal(SIGTERM, on_term);
  struct pollfd fd = {ConnectionNumber(d), POLLIN, 0};
  while (!ending) {
    while (XPending(d)) {
      XEvent e;
      XNextEvent(d, &e);
    }
    poll(&fd, 1, 50);
  }
  XDestroyWindow(d, win);
  XSync(d, False);
  printf("destroyed\n");
  fflush(stdout);
  return 0;
}

int main(int argc, char** argv) {
  Display* d = XOpenDisplay(NULL);
  if (!d) {
    fprintf(stderr, "cannot open the display\n");
    return 2;
  }
  int status = 1;
  if (argc == 2 && strcmp(argv[1], "gamma-print") == 0) status = gamma_command(d, 0);
  else if (argc == 2 && strcmp(argv[1], "gamma-calibrate") == 0) status = gamma_command(d, 1);
  else if (argc == 4 && strcmp(argv[1], "window") == 0) status = window_command(d, atoi(argv[2]), atoi(argv[3]));
  else fprintf(stderr, "usage: x11_probe gamma-print | gamma-calibrate | window W H\n");
  XCloseDisplay(d);
  return status;
}
