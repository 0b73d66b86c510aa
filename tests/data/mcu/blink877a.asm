; A small PIC16F877A program for the programming tests: it steps a pattern out
; on port B, with code in the second row and above 0x100 so that the eight-word
; rows are written at more than one place. Its configuration word (HS
; oscillator, watchdog off, power-up timer on, low-voltage programming off, no
; code protection) lands at byte address 0x400E of the HEX file.
; blink877a.hex was built with gpasm 1.4.0 from the Debian package gputils:
;   gpasm -a inhx8m -o blink877a.hex blink877a.asm
        list    p=16f877a
        errorlevel -302
        include "p16f877a.inc"
        __config _HS_OSC & _WDT_OFF & _PWRTE_ON & _LVP_OFF & _CP_OFF

count   equ     0x20
index   equ     0x21

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

        org     0x100
start:
        bsf     STATUS, RP0
        clrf    TRISB
        bcf     STATUS, RP0
loop:
        clrf    index
step:
        movf    index, w
        call    pattern
        movwf   PORTB
        call    wait
        incf    index, f
        movlw   0x08
        subwf   index, w
        btfss   STATUS, Z
        goto    step
        goto    loop

wait:
        movlw   0xFF
        movwf   count
again:
        decfsz  count, f
        goto    again
        return

        end
