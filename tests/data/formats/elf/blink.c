/* A small AVR program for the ELF loader's tests: code and initialised data in
   flash, a table in EEPROM. */
#include <avr/eeprom.h>
#include <avr/io.h>
#include <stdint.h>

uint8_t EEMEM settings[8] = {1, 2, 3, 4, 0xA5, 0x5A, 0x00, 0xFF};
static volatile uint16_t pattern[4] = {0x0123, 0x4567, 0x89AB, 0xCDEF};

int main(void) {
    DDRB = 0xFF;
    for (;;) {
        for (uint8_t i = 0; i < 4; ++i) {
            PORTB = (uint8_t)pattern[i];
            for (volatile uint16_t d = 0; d < 50000; ++d) {
            }
        }
        PORTB = eeprom_read_byte(&settings[0]);
    }
}
