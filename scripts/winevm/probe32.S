# A 32-bit program that exits 0 only when the kernel itself runs it.
# Under a user-mode emulator (qemu-i386 through binfmt_misc) uname reports
# an i?86 machine, while a 64-bit kernel running 32-bit code natively says
# x86_64; a kernel without 32-bit support refuses to start it at all.
        .text
        .globl _start
_start:
        movl    $122, %eax          # newuname
        movl    $uts, %ebx
        int     $0x80
        movl    $1, %ebx
        testl   %eax, %eax
        jnz     1f
        cmpl    $0x5f363878, uts+65*4   # "x86_"
        jne     1f
        cmpw    $0x3436, uts+65*4+4     # "64"
        jne     1f
        xorl    %ebx, %ebx
1:      movl    $1, %eax            # exit
        int     $0x80
        .bss
uts:    .space  65*6
