! Reference for the list-directed I/O tests: a Fortran runtime's own
! list-directed WRITE and READ.
!
!   listdirected write VALUES   VALUES: a count and that many 64-bit patterns
!                               of reals, then a count and that many 32-bit
!                               integers. Writes each real and each integer as
!                               one record, then mixed records of text,
!                               integers and reals.
!   listdirected read CASES     CASES: one line per case, columns 1-2 the shape
!                               of the read, 4-8 how many reads, 10- the data
!                               file. Prints what each read left in its items.
program listdirected
  implicit none
  character(len=16) :: mode
  character(len=1024) :: path

  call get_command_argument(1, mode)
  call get_command_argument(2, path)
  if (mode == 'write') then
    call write_values(trim(path))
  else
    call read_cases(trim(path))
  end if

contains

  subroutine write_values(values_path)
    character(len=*), intent(in) :: values_path
    integer(8), allocatable :: patterns(:)
    integer, allocatable :: integers(:)
    real(8) :: x
    integer :: count, k

    open(10, file=values_path, status='old', action='read')
    read(10, *) count
    allocate(patterns(count))
    read(10, *) patterns
    do k = 1, count
      x = transfer(patterns(k), x)
      write(*, *) x
    end do
    read(10, *) count
    allocate(integers(count))
    read(10, *) integers
    do k = 1, count
      write(*, *) integers(k)
    end do
    do k = 1, min(count, size(patterns))
      x = transfer(patterns(k), x)
      write(*, *) 'ab', integers(k), 'c', 'de', x, x, integers(k), 'f'
    end do
    write(*, *)
    close(10)
  end subroutine

  subroutine read_cases(cases_path)
    character(len=*), intent(in) :: cases_path
    character(len=1100) :: line
    character(len=2) :: shape
    integer :: reads, ios, case_number

    open(10, file=cases_path, status='old', action='read')
    case_number = 0
    do
      read(10, '(a)', iostat=ios) line
      if (ios /= 0) exit
      case_number = case_number + 1
      shape = line(1:2)
      read(line(4:8), *) reads
      write(*, '(a,i0)') 'case ', case_number
      call read_case(shape, reads, trim(line(10:)))
    end do
    close(10)
  end subroutine

  subroutine read_case(shape, reads, data_path)
    character(len=2), intent(in) :: shape
    integer, intent(in) :: reads
    character(len=*), intent(in) :: data_path
    integer :: iv(4), ios, k, n
    real(8) :: rv(5)
    character(len=3) :: tv(4)
    character(len=2) :: name

    open(11, file=data_path, status='old', action='read')
    do k = 1, reads
      iv = -7777
      rv = -7777d0
      tv = 'zzz'
      name = 'zz'
      select case (shape)
      case ('i4')
        read(11, *, iostat=ios) iv
      case ('r4')
        read(11, *, iostat=ios) rv(1:4)
      case ('t4')
        read(11, *, iostat=ios) tv
      case ('m5')
        read(11, *, iostat=ios) name, rv
      case ('p1')
        read(11, *, iostat=ios) tv(1), iv(1)
      end select
      if (ios /= 0) then
        write(*, '(a)') 'fail'
        exit
      end if
      select case (shape)
      case ('i4')
        write(*, '(4(1x,i0))') iv
      case ('r4')
        write(*, '(4(1x,z16.16))') (transfer(rv(n), 0_8), n = 1, 4)
      case ('t4')
        write(*, '(4(1x,"[",a,"]"))') tv
      case ('m5')
        write(*, '(1x,"[",a,"]",5(1x,z16.16))') name, (transfer(rv(n), 0_8), n = 1, 5)
      case ('p1')
        write(*, '(1x,"[",a,"]",1x,i0)') tv(1), iv(1)
      end select
    end do
    close(11)
  end subroutine

end program listdirected
