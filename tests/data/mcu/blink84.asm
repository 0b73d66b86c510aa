; A small PIC16F84A program for the programming tests: it steps a pattern out
; on port B. Its configuration word (XT oscillator, watchdog off, power-up
; timer on, no code protection) lands at byte address 0x400E of the HEX file.
; blink84.hex was built with gpasm 1.4.0 from the Debian package gputils:
;   gpasm -a inhx8m -o blink84.hex blink84.asm
        list    p=16f84a
        errorlevel -302
        include "p16f84a.inc"
        __config _XT_OSC & _WDT_OFF & _PWRTE_ON & _CP_OFF

count   equ     0x0C
index   equ     0x0D

        org     0x000
        goto    start

        org     0x005
pattern:
        addwf   PCL, f
        retlw   0x01
        retlw   0x03
        retlw   0x07
        retlw   0x0F
        retlw   0x1F
        retlw   0x3F
        retlw   0x7F
        retlw   0xFF

start:
        bsf     STATUS, RP0
        clrf    TRISB
        bcf     STATUS, RP0
        clrf    index
loop:
        movf    index, w
        andlw   0x07
        call    pattern
        movwf   PORTB
        incf    index, f
        clrf    count
wait:
        decfsz  count, f
        goto    wait
        goto    loop

        end
