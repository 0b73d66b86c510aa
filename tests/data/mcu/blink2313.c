/* A small AT90S2313 program for the programming tests: Timer 0 overflows step
   a pattern table out on port B. blink2313.hex was built with avr-gcc 5.4.0
   and avr-libc from the Debian packages gcc-avr, avr-libc and binutils-avr:
     avr-gcc -mmcu=at90s2313 -Os -o blink2313.elf blink2313.c
     avr-objcopy -O ihex -R .eeprom blink2313.elf blink2313.hex
*/
#include <avr/interrupt.h>
#include <avr/io.h>
#include <avr/pgmspace.h>

static const unsigned char pattern[16] PROGMEM = {
    0x01, 0x03, 0x07, 0x0F, 0x1F, 0x3F, 0x7F, 0xFF,
    0xFE, 0xFC, 0xF8, 0xF0, 0xE0, 0xC0, 0x80, 0x00,
};

static volatile unsigned char step;

ISR(TIMER0_OVF0_vect)
{
    PORTB = pgm_read_byte(&pattern[step & 0x0F]);
    step++;
}

int main(void)
{
    DDRB = 0xFF;
    TCCR0 = 0x05; /* clock / 1024 */
    TIMSK = 1 << TOIE0;
    sei();
    for (;;) {
    }
}
