/* A small 8051 program for the programming tests: Timer 0 interrupts step a
   pattern table out on P1. Its interrupt vector at 000B makes the linker write
   HEX records out of address order. blink.hex was built with sdcc 4.2.0 from
   the Debian package:
     sdcc -mmcs51 --code-size 2048 blink.c && packihx blink.ihx > blink.hex
*/
#include <8051.h>

static const unsigned char __code pattern[16] = {
    0x01, 0x03, 0x07, 0x0F, 0x1F, 0x3F, 0x7F, 0xFF,
    0xFE, 0xFC, 0xF8, 0xF0, 0xE0, 0xC0, 0x80, 0x00,
};

static volatile unsigned char step;

void timer0_isr(void) __interrupt(1)
{
    TH0 = 0x3C;
    TL0 = 0xB0;
    P1 = pattern[step & 0x0F];
    step++;
}

void main(void)
{
    step = 0;
    TMOD = 0x01;
    TH0 = 0x3C;
    TL0 = 0xB0;
    ET0 = 1;
    EA = 1;
    TR0 = 1;
    for (;;) {
        PCON |= 0x01; /* idle until the next interrupt */
    }
}
